// A save that fails or is cut short at any point leaves either the previous file or the complete new
// one, never a mixture.
#include <gtest/gtest.h>

#include "storage/day_log_file.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using Op = test::FakeEnv::Op;

class CrashSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    Record(u"old.exe", u"old title", 3);
    ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
    oldBytes = env.FileBytes(path);
    Record(u"new.exe", u"new title", 500);
    ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
    newBytes = env.FileBytes(path);
    env.PutFile(path, oldBytes);
  }

  void Record(const std::u16string& exe, const std::u16string& title, int count) {
    app.pool.Release(UserCurrentDay);
    app.sampler.day.Clear();
    const auto key = static_cast<uint32_t>(app.pool.Intern(exe, UserCurrentDay));
    for (int i = 0; i < count; ++i) app.sampler.day.Append({0, static_cast<uint32_t>(i) * 10, 5, key}, title);
  }

  // The file on disk is one of the two complete versions and loads as exactly that day.
  void ExpectOldOrNew(const std::string& context) {
    const std::string bytes = env.FileBytes(path);
    const bool isOld = bytes == oldBytes;
    ASSERT_TRUE(isOld || bytes == newBytes) << context;
    AppState reader(env);
    ASSERT_TRUE(LoadDayLogFile(reader, reader.viewedDay, path, UserViewedDay)) << context;
    EXPECT_EQ(reader.viewedDay.Count(), isOld ? 3u : 500u) << context;
    EXPECT_EQ(reader.viewedDay.Title(0), isOld ? u"old title" : u"new title") << context;
  }

  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/log/20160307.bin2";
  std::string oldBytes, newBytes;
};

TEST_F(CrashSafety, FailingAnyWriteFlushOrRenameKeepsTheOldFile) {
  for (Op op : {Op::Write, Op::Flush, Op::Rename}) {
    for (int n = 1;; ++n) {
      env.PutFile(path, oldBytes);
      env.FailNth(op, n);
      const bool saved = SaveDayLog(app, 2016, 3, 7);
      const std::string context = "op " + std::to_string(static_cast<int>(op)) + " n " + std::to_string(n);
      ExpectOldOrNew(context);
      EXPECT_EQ(saved, env.FileBytes(path) == newBytes) << context;
      EXPECT_FALSE(env.HasFile(path + u".tmp")) << context;
      if (saved) break;  // the N-th operation is past the end of the save
    }
  }
}

TEST_F(CrashSafety, KillingTheProcessAtAnyPointKeepsOneCompleteVersion) {
  for (int n = 0;; ++n) {
    env.PutFile(path, oldBytes);
    env.CrashAfter(n);
    const bool saved = SaveDayLog(app, 2016, 3, 7);
    env.Restart();

    // On restart a leftover temporary file is ignored, and the next save cleans it up.
    const std::string context = "crash after " + std::to_string(n);
    ExpectOldOrNew(context);
    ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7)) << context;
    EXPECT_FALSE(env.HasFile(path + u".tmp")) << context;
    EXPECT_EQ(env.FileBytes(path), newBytes) << context;
    if (saved) break;
  }
}

}  // namespace
}  // namespace qm
