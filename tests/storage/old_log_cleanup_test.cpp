// Old day logs go from the log folder beside the executable by the date in their names. (The recycle
// bin itself: see the environment tests.)
#include "storage/old_log_cleanup.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/app_state.h"
#include "platform/utf.h"
#include "support/fake_env.h"

namespace qm {
namespace {

TEST(DayNumber, CountsFromYearOneAcrossLeapDaysAndYears) {
  EXPECT_EQ(DayNumber(1, 1, 1), 0);
  EXPECT_EQ(DayNumber(2016, 1, 1), 735'963);
  EXPECT_EQ(DayNumber(2016, 3, 1) - DayNumber(2016, 2, 28), 2);
  EXPECT_EQ(DayNumber(2017, 1, 1) - DayNumber(2016, 1, 1), 366);
  EXPECT_EQ(DayNumber(2016, 3, 7) - DayNumber(2016, 2, 29), 7);
  EXPECT_EQ(DayNumber(2100, 3, 1) - DayNumber(2100, 2, 28), 1);  // not a leap year
}

// Names as "%4u%02u%02u.%5s" reads them: blanks before each number, a sign counted in its width.
TEST(ParseDayLogName, DatedDayLogNamesOnly) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"20160229.bin2", "2016-2-29"},   {u"19991231.BIN", "1999-12-31"}, {u"2016011.bin", "-"},
      {u"2016 1\t1.bin2", "2016-1-1"},   {u"\r2016\v01 01. bin", "2016-1-1"},
      {u"+201-1+1.bin2", "201-4294967295-1"}, {u"201601011.bin2", "-"},  {u"20160101bin2x", "-"},
      {u"20160101.bin2x", "-"},          {u"20160101.bin2.tmp", "-"},    {u"20160101.txt", "-"},
      {u"notes123.bin2", "-"},           {u"20160101.", "-"},            {u"20160101.    ", "-"},
  };
  for (const auto& [name, date] : cases) {
    const auto parsed = ParseDayLogName(name);
    EXPECT_EQ(parsed ? std::to_string(parsed->year) + "-" + std::to_string(parsed->month) + "-" + std::to_string(parsed->day)
                     : "-",
              date)
        << ToUtf8(name);
  }
}

class OldLogCleanup : public ::testing::Test {
 protected:
  void Put(const std::u16string& name) { env.PutFile(u"/app/log/" + name, "x"); }
  bool Has(const std::u16string& name) { return env.HasFile(u"/app/log/" + name); }
  test::FakeEnv env;
  AppState app{env};
};

TEST_F(OldLogCleanup, OnlyDatedDayLogsBeyondTheAgeGo) {
  for (const char16_t* name : {u"20160228.bin2", u"20160228.BIN", u"20160229.bin2", u"notes.bin2", u"20150101.txt"}) Put(name);
  for (int32_t off : {0, 5}) {  // no deletion, and an age without a meaning
    app.settings.deleteAge = off;
    EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));
  }
  EXPECT_EQ(env.FilePaths().size(), 5u);
  app.settings.deleteAge = 1;  // one week: eight days and more go
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));  // nothing left to delete
  EXPECT_EQ(env.FilePaths(), (std::vector<std::u16string>{u"/app/log/20150101.txt", u"/app/log/20160229.bin2",
                                                          u"/app/log/notes.bin2"}));
}

TEST_F(OldLogCleanup, MonthHalfYearAndYearKeepTheirLastDay) {
  // {deleteAge, the oldest file kept, the newest file deleted} on 2016-03-07.
  const std::tuple<int32_t, const char16_t*, const char16_t*> ages[] = {{2, u"20160205.bin2", u"20160204.bin2"},    // 31, 32
                                                                       {3, u"20150906.bin2", u"20150905.bin2"},    // 183, 184
                                                                       {4, u"20150307.bin2", u"20150306.bin2"}};  // 366, 367
  for (const auto& [age, kept, deleted] : ages) {
    Put(kept);
    Put(deleted);
    app.settings.deleteAge = age;
    EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
    EXPECT_TRUE(Has(kept));
    EXPECT_FALSE(Has(deleted));
  }
  test::FakeEnv noFolder;
  AppState other(noFolder);
  other.settings.deleteAge = 1;
  EXPECT_FALSE(DeleteOldLogs(other, 2016, 3, 7));  // a missing folder is not an error
}

}  // namespace
}  // namespace qm
