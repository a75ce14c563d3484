// A settings save that fails or is cut short at any point leaves either the previous file or the
// complete new one, never a mixture.
#include <gtest/gtest.h>

#include "storage/settings_file.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using Op = test::FakeEnv::Op;

class SettingsCrashSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    app.searchHistory.AddSearchText(u"old");
    ASSERT_TRUE(SaveSettingsFile(app));
    oldBytes = env.FileBytes(path);

    app.settings.checkPeriodMs = 300;
    for (int i = 0; i < 200; ++i) app.pool.Intern(u"C:\\apps\\tool" + std::u16string(1, u'A' + i % 26) + u".exe", UserCurrentDay);
    app.colors.AdoptPoolPaths(app.pool);
    app.searchHistory.AddSearchText(u"new");
    ASSERT_TRUE(SaveSettingsFile(app));
    newBytes = env.FileBytes(path);
    env.PutFile(path, oldBytes);
  }

  // The file is one of the two complete versions and loads as exactly that one.
  void ExpectOldOrNew(const std::string& context) {
    const std::string bytes = env.FileBytes(path);
    const bool isOld = bytes == oldBytes;
    ASSERT_TRUE(isOld || bytes == newBytes) << context;
    AppState reader(env);
    ASSERT_TRUE(LoadSettingsFile(reader)) << context;
    EXPECT_EQ(reader.settings.checkPeriodMs, isOld ? 100 : 300) << context;
    EXPECT_EQ(reader.searchHistory.Entries().back().Text(), isOld ? u"old" : u"new") << context;
  }

  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/config";
  std::string oldBytes, newBytes;
};

TEST_F(SettingsCrashSafety, FailingAnyWriteFlushOrRenameKeepsTheOldFile) {
  for (Op op : {Op::Write, Op::Flush, Op::Rename}) {
    for (int n = 1;; ++n) {
      env.PutFile(path, oldBytes);
      env.FailNth(op, n);
      const bool saved = SaveSettingsFile(app);
      const std::string context = "op " + std::to_string(static_cast<int>(op)) + " n " + std::to_string(n);
      ExpectOldOrNew(context);
      EXPECT_EQ(saved, env.FileBytes(path) == newBytes) << context;
      EXPECT_FALSE(env.HasFile(path + u".tmp")) << context;
      if (saved) break;
    }
  }
}

TEST_F(SettingsCrashSafety, KillingTheProcessAtAnyPointKeepsOneCompleteVersion) {
  for (int n = 0;; ++n) {
    env.PutFile(path, oldBytes);
    env.CrashAfter(n);
    const bool saved = SaveSettingsFile(app);
    env.Restart();

    const std::string context = "crash after " + std::to_string(n);
    ExpectOldOrNew(context);
    ASSERT_TRUE(SaveSettingsFile(app)) << context;
    EXPECT_FALSE(env.HasFile(path + u".tmp")) << context;
    EXPECT_EQ(env.FileBytes(path), newBytes) << context;
    if (saved) break;
  }
}

}  // namespace
}  // namespace qm
