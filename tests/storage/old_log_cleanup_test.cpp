#include "storage/old_log_cleanup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "support/fake_env.h"
#include "support/real_env.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

TEST(DayNumber, CountsFromYearOneAcrossLeapDaysAndYears) {
  EXPECT_EQ(DayNumber(1, 1, 1), 0);
  EXPECT_EQ(DayNumber(2016, 1, 1), 735'963);
  EXPECT_EQ(DayNumber(2016, 3, 1) - DayNumber(2016, 2, 28), 2);
  EXPECT_EQ(DayNumber(2017, 1, 1) - DayNumber(2016, 1, 1), 366);
  EXPECT_EQ(DayNumber(2016, 3, 7) - DayNumber(2016, 2, 29), 7);
  EXPECT_EQ(DayNumber(2100, 3, 1) - DayNumber(2100, 2, 28), 1);  // not a leap year
}

TEST(ParseDayLogName, ReadsTheDateAndAcceptsOnlyDayLogExtensions) {
  const auto parsed = ParseDayLogName(u"20160307.bin2");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->year, 2016u);
  EXPECT_EQ(parsed->month, 3u);
  EXPECT_EQ(parsed->day, 7u);
  EXPECT_TRUE(ParseDayLogName(u"20160307.BIN"));
  for (const char16_t* ignored : {u"20160101.txt", u"notes.bin2", u"2016011.bin", u"20160307.bin2.tmp",
                                  u"20160307.bin2.unreadable-1", u"20160307.bin2x", u"20160307bin2x"}) {
    EXPECT_FALSE(ParseDayLogName(ignored)) << std::string(ignored, ignored + std::char_traits<char16_t>::length(ignored));
  }
}

TEST(DeleteOldLogs, NothingHappensWhenDeletionIsOffOrTheAgeIsUnknown) {
  test::FakeEnv env;
  AppState app(env);
  env.PutFile(u"/app/log/20000101.bin2", "old");
  EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));
  app.settings.deleteAge = 5;
  EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_TRUE(env.HasFile(u"/app/log/20000101.bin2"));
  app.settings.deleteAge = 4;
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_EQ(env.recycled, std::vector<std::u16string>{u"/app/log/20000101.bin2"});
}

class DeleteOldLogsOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    // Keep the test's deletions out of the user's own trash.
    setenv("XDG_DATA_HOME", (folder.path() / "data").string().c_str(), 1);
#endif
    fs::create_directories(folder.path() / "log");
  }
  void Touch(const char* name) { test::WriteWholeFile(folder.path() / "log" / name, name); }
  bool Exists(const char* name) { return fs::exists(folder.path() / "log" / name); }

  test::TempFolder folder;
  test::RedirectedEnv env{folder.Child(u"quillmere.exe")};
  AppState app{env};
};

TEST_F(DeleteOldLogsOnDisk, OneWeekDeletesFilesOfEightDaysAndMore) {
  for (const char* name : {"20160229.bin2", "20160228.bin2", "20160228.bin", "20160307.bin2", "20170101.bin2",
                           "20160101.txt", "notes.bin2", "2016011.bin", "20150101.bin2.unreadable-1"}) {
    Touch(name);
  }
  app.settings.deleteAge = 1;
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_TRUE(Exists("20160229.bin2"));
  EXPECT_FALSE(Exists("20160228.bin2"));
  EXPECT_FALSE(Exists("20160228.bin"));
  for (const char* kept : {"20160307.bin2", "20170101.bin2", "20160101.txt", "notes.bin2", "2016011.bin",
                           "20150101.bin2.unreadable-1"}) {
    EXPECT_TRUE(Exists(kept)) << kept;
  }
  EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));  // nothing left to delete
#ifndef _WIN32
  // The files sit in the trash with what a file manager needs to restore them.
  const fs::path trash = folder.path() / "data" / "Trash";
  EXPECT_EQ(test::ReadWholeFile(trash / "files" / "20160228.bin2"), "20160228.bin2");
  const std::string info = test::ReadWholeFile(trash / "info" / "20160228.bin2.trashinfo");
  EXPECT_NE(info.find("Path=" + (fs::canonical(folder.path()) / "log" / "20160228.bin2").string()), std::string::npos);
  EXPECT_NE(info.find("DeletionDate="), std::string::npos);
#endif
}

TEST_F(DeleteOldLogsOnDisk, OneMonthKeepsThirtyOneDays) {
  Touch("20160205.bin2");
  Touch("20160204.bin2");
  app.settings.deleteAge = 2;
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_TRUE(Exists("20160205.bin2"));
  EXPECT_FALSE(Exists("20160204.bin2"));
}

TEST_F(DeleteOldLogsOnDisk, HalfYearAndYearBoundaries) {
  Touch("20150906.bin2");  // 183 days before 2016-03-07
  Touch("20150905.bin2");  // 184
  app.settings.deleteAge = 3;
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_TRUE(Exists("20150906.bin2"));
  EXPECT_FALSE(Exists("20150905.bin2"));
  Touch("20150306.bin2");  // 367 days
  Touch("20150307.bin2");  // 366 days
  app.settings.deleteAge = 4;
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_TRUE(Exists("20150307.bin2"));
  EXPECT_FALSE(Exists("20150306.bin2"));
}

TEST_F(DeleteOldLogsOnDisk, MissingFolderIsNotAnError) {
  fs::remove_all(folder.path() / "log");
  app.settings.deleteAge = 1;
  EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));
}

}  // namespace
}  // namespace qm
