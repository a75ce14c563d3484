#include "storage/old_log_cleanup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "app/app_state.h"
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

// Old day logs go to the recycle bin from the log folder beside the executable, on the real file system.
class OldLogCleanup : public ::testing::Test {
 protected:
  void SetUp() override {
#ifndef _WIN32
    // Keep the test's deletions out of the user's own trash.
    if (const char* previous = std::getenv("XDG_DATA_HOME")) savedDataHome = previous;
    setenv("XDG_DATA_HOME", (folder.path() / "data").string().c_str(), 1);
#endif
    fs::create_directories(folder.path() / "log");
  }
  void TearDown() override {
#ifndef _WIN32
    if (savedDataHome.empty()) {
      unsetenv("XDG_DATA_HOME");
    } else {
      setenv("XDG_DATA_HOME", savedDataHome.c_str(), 1);
    }
#endif
  }
  void Touch(const char* name) { test::WriteWholeFile(folder.path() / "log" / name, name); }
  bool Exists(const char* name) { return fs::exists(folder.path() / "log" / name); }

  std::string savedDataHome;
  test::TempFolder folder;
  test::RedirectedEnv env{folder.Child(u"quillmere.exe")};
  AppState app{env};
};

TEST_F(OldLogCleanup, OnlyDatedDayLogsBeyondTheAgeGoAndTheTrashReceivesThem) {
  const char* kept[] = {"20160229.bin2", "20160307.bin2", "20170101.bin2", "20160101.txt", "notes.bin2",
                        "2016011.bin", "20150101.bin2.unreadable-1", "20150101.bin2.tmp", "20150101.bin2x",
                        "20150101bin2x"};
  for (const char* name : kept) Touch(name);
  Touch("20160228.bin2");
  Touch("20160228.BIN");
  for (int32_t off : {0, 5}) {  // no deletion, and an age without a meaning
    app.settings.deleteAge = off;
    EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));
  }
  EXPECT_TRUE(Exists("20160228.bin2"));
  app.settings.deleteAge = 1;  // one week: eight days and more go
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_FALSE(Exists("20160228.bin2"));
  EXPECT_FALSE(Exists("20160228.BIN"));
  for (const char* name : kept) EXPECT_TRUE(Exists(name)) << name;
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

TEST_F(OldLogCleanup, MonthHalfYearAndYearKeepTheirLastDay) {
  // {deleteAge, the oldest file kept, the newest file deleted} on 2016-03-07.
  const std::tuple<int32_t, const char*, const char*> ages[] = {{2, "20160205.bin2", "20160204.bin2"},    // 31, 32
                                                               {3, "20150906.bin2", "20150905.bin2"},    // 183, 184
                                                               {4, "20150307.bin2", "20150306.bin2"}};  // 366, 367
  for (const auto& [age, kept, deleted] : ages) {
    Touch(kept);
    Touch(deleted);
    app.settings.deleteAge = age;
    EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
    EXPECT_TRUE(Exists(kept));
    EXPECT_FALSE(Exists(deleted));
  }
  fs::remove_all(folder.path() / "log");
  EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7));  // a missing folder is not an error
}

}  // namespace
}  // namespace qm
