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

// {deleteAge, the oldest file kept, the newest file deleted} on 2016-03-07: a week, a month, half a
// year and a year keep their last day; no deletion (0) or an age without a meaning (5) keeps all.
TEST(OldLogCleanup, DatedDayLogsBeyondTheAgeGoAndTheLastDayStays) {
  const std::tuple<int32_t, const char16_t*, const char16_t*> ages[] = {
      {0, u"20150101.bin2", nullptr},          {5, u"20150101.bin", nullptr},
      {1, u"20160229.bin2", u"20160228.BIN"},  // 7, 8 days
      {2, u"20160205.bin2", u"20160204.bin2"},  // 31, 32
      {3, u"20150906.bin2", u"20150905.bin2"},  // 183, 184
      {4, u"20150307.bin2", u"20150306.bin2"}};  // 366, 367
  for (const auto& [age, kept, deleted] : ages) {
    test::FakeEnv env;
    AppState app(env);
    app.settings.deleteAge = age;
    EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7)) << "a missing folder is not an error";
    for (const char16_t* name : {kept, deleted, u"notes.bin2", u"20150101.txt"}) {
      if (name) env.PutFile(u"/app/log/" + std::u16string(name), "x");
    }
    EXPECT_EQ(DeleteOldLogs(app, 2016, 3, 7), deleted != nullptr) << age;
    EXPECT_EQ(env.FilePaths().size(), 3u) << age;
    EXPECT_TRUE(env.HasFile(u"/app/log/" + std::u16string(kept))) << age;
  }
}

}  // namespace
}  // namespace qm
