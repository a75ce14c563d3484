// The platform's own environment on the real file system: natively the POSIX one, under Wine the
// Win32 one, with the same expectations.
#include "platform/env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/real_env.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;

#ifdef _WIN32
constexpr char16_t kSeparator = u'\\';
#else
constexpr char16_t kSeparator = u'/';
#endif

class EnvTest : public ::testing::Test {
 protected:
  std::u16string Path(const std::u16string& name) const { return temp_.Child(name); }

  bool WriteFile(const std::u16string& path, const std::string& bytes) {
    const FileHandle file = env_.OpenForWrite(path);
    if (file == kInvalidFile) return false;
    const bool ok = env_.Write(file, bytes.data(), static_cast<uint32_t>(bytes.size())) && env_.Flush(file);
    env_.Close(file);
    return ok;
  }
  std::string ReadFile(const std::u16string& path) { return ReadWholeFile(fs::path(path)); }

  Env& env_ = DefaultEnv();
  test::TempFolder temp_;
};

TEST_F(EnvTest, WrittenBytesReadBackWithSeekingAndWithoutSharing) {
  const std::u16string path = Path(u"data.bin");
  std::string bytes(300'000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 131 + i / 251);
  ASSERT_TRUE(WriteFile(path, "a longer first version that the second write must truncate"));
  ASSERT_TRUE(WriteFile(path, bytes));

  const FileHandle file = env_.OpenForRead(path);
  ASSERT_NE(file, kInvalidFile);
#ifdef _WIN32
  EXPECT_EQ(env_.OpenForRead(path), kInvalidFile);
  EXPECT_EQ(env_.OpenForWrite(path), kInvalidFile);
#endif
  std::string back(bytes.size() + 10, '\0');
  uint32_t got = 0;
  ASSERT_TRUE(env_.Read(file, back.data(), static_cast<uint32_t>(back.size()), &got));
  back.resize(got);
  EXPECT_EQ(back, bytes);
  ASSERT_TRUE(env_.Read(file, back.data(), 10, &got));
  EXPECT_EQ(got, 0u) << "at the end of the file";

  uint64_t position = 0;
  ASSERT_TRUE(env_.Seek(file, 1000, SeekOrigin::Begin, &position));
  ASSERT_TRUE(env_.Seek(file, -10, SeekOrigin::Current, &position));
  EXPECT_EQ(position, 990u);
  char four[4];
  ASSERT_TRUE(env_.Read(file, four, 4, &got));
  EXPECT_EQ(std::string(four, got), bytes.substr(990, 4));
  ASSERT_TRUE(env_.Seek(file, -4, SeekOrigin::End, &position));
  EXPECT_EQ(position, bytes.size() - 4);
  env_.Close(file);

  EXPECT_EQ(env_.OpenForRead(Path(u"missing.bin")), kInvalidFile);
  EXPECT_EQ(env_.OpenForWrite(Path(u"no-such-folder/new.bin")), kInvalidFile);
}

TEST_F(EnvTest, FoldersAreCreatedAndListed) {
  const std::u16string folder = Path(u"logs");
  ASSERT_TRUE(env_.CreateFolder(folder));
  EXPECT_FALSE(env_.CreateFolder(folder)) << "it exists already";
  EXPECT_TRUE(env_.IsFolder(folder));

  // A name outside ASCII checks the conversions on the way in and out.
  const std::u16string japanese = u"\u65e5\u8a8c.log";
  const std::u16string file = env_.CombinePath(folder, u"20240102.log");
  ASSERT_TRUE(WriteFile(file, "1"));
  ASSERT_TRUE(WriteFile(env_.CombinePath(folder, japanese), "2"));
  ASSERT_TRUE(env_.CreateFolder(env_.CombinePath(folder, u"old")));
  std::vector<std::u16string> names;
  ASSERT_TRUE(env_.ListFolder(folder, &names));
  std::sort(names.begin(), names.end());
  std::vector<std::u16string> expected = {u"20240102.log", u"old", japanese};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(fs::exists(fs::path(folder) / fs::path(japanese)));

  EXPECT_TRUE(env_.FileExists(file));
  EXPECT_FALSE(env_.IsFolder(file));
  EXPECT_FALSE(env_.FileExists(Path(u"missing")));
  EXPECT_FALSE(env_.ListFolder(Path(u"missing"), &names));
  EXPECT_TRUE(names.empty());
}

TEST_F(EnvTest, MoveReplacingReplacesRenameRefusesAnExistingTargetRemoveTakesOnlyWhatExists) {
  const std::u16string a = Path(u"a.tmp"), b = Path(u"b.log"), c = Path(u"c.log");
  ASSERT_TRUE(WriteFile(a, "new"));
  ASSERT_TRUE(WriteFile(b, "old"));
  ASSERT_TRUE(env_.MoveReplacing(a, b));
  EXPECT_EQ(ReadFile(b), "new");
  EXPECT_FALSE(env_.FileExists(a));
  EXPECT_FALSE(env_.MoveReplacing(a, b));
  ASSERT_TRUE(WriteFile(a, "first"));
  ASSERT_TRUE(env_.MoveReplacing(a, c));  // a missing target is created
  EXPECT_EQ(ReadFile(c), "first");

  EXPECT_FALSE(env_.RenameFile(b, c));
  EXPECT_EQ(ReadFile(b), "new");
  EXPECT_EQ(ReadFile(c), "first");
  ASSERT_TRUE(env_.RenameFile(b, a));
  EXPECT_EQ(ReadFile(a), "new");
  EXPECT_FALSE(env_.FileExists(b));

  EXPECT_TRUE(env_.RemoveFile(a));
  EXPECT_FALSE(env_.FileExists(a));
  EXPECT_FALSE(env_.RemoveFile(a));
}

TEST_F(EnvTest, PathHelpersUseThePlatformSeparatorBeyondTheOldLimitToo) {
  const std::u16string sep(1, kSeparator);
  std::u16string deep = temp_.u16();
  while (deep.size() < 400) deep += sep + u"deep-folder-name";  // Windows' shell helpers stop at 260
  for (const std::u16string& folder : {temp_.u16(), deep}) {
    const std::u16string file = env_.CombinePath(folder, u"20240102.log");
    EXPECT_EQ(file, folder + sep + u"20240102.log");
    EXPECT_EQ(env_.CombinePath(env_.AddTrailingSeparator(folder), u"x"), folder + sep + u"x");
    EXPECT_EQ(env_.RemoveFileSpec(file), folder);
    EXPECT_EQ(env_.FindFileName(file), u"20240102.log");
    EXPECT_EQ(env_.RemoveExtension(file), folder + sep + u"20240102");
    EXPECT_EQ(env_.RemoveExtension(env_.CombinePath(folder, u"noext")), folder + sep + u"noext");
    EXPECT_EQ(env_.AddTrailingSeparator(folder + sep), folder + sep);
  }
  const std::u16string exe = env_.ExecutablePath();
  EXPECT_TRUE(env_.FileExists(exe));
  EXPECT_EQ(env_.FindFileName(exe).rfind(u"quillmere_tests", 0), 0u);
}

TEST_F(EnvTest, ClockGivesAPlausibleDateAndAMovingTickCount) {
  const LocalTime now = env_.Now();
  EXPECT_TRUE(now.year >= 2020 && now.month >= 1 && now.month <= 12 && now.day >= 1 && now.day <= 31);
  EXPECT_TRUE(now.dayOfWeek <= 6 && now.hour <= 23 && now.minute <= 59 && now.second <= 59 && now.milliseconds <= 999);
  const uint32_t before = env_.TickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_GE(env_.TickCount() - before, 30u);  // unsigned: right across a wrap too
}

TEST_F(EnvTest, SendToRecycleBinTakesTheFileAway) {
  const std::u16string path = Path(u"20240102.log");
  ASSERT_TRUE(WriteFile(path, "day"));
#ifndef _WIN32
  // The freedesktop.org trash in a folder of the test's own, for the test's duration.
  std::optional<std::string> dataHome;
  if (const char* old = std::getenv("XDG_DATA_HOME")) dataHome = old;
  setenv("XDG_DATA_HOME", (temp_.path() / "data").c_str(), 1);
#endif
  EXPECT_TRUE(env_.SendToRecycleBin(path));
  EXPECT_FALSE(env_.FileExists(path));
  EXPECT_FALSE(env_.SendToRecycleBin(path)) << "nothing left to recycle";
#ifndef _WIN32
  dataHome ? setenv("XDG_DATA_HOME", dataHome->c_str(), 1) : unsetenv("XDG_DATA_HOME");
  // Restorable: the file and a record of where it came from.
  const fs::path trash = temp_.path() / "data" / "Trash";
  EXPECT_EQ(ReadWholeFile(trash / "files" / "20240102.log"), "day");
  const std::string info = ReadWholeFile(trash / "info" / "20240102.log.trashinfo");
  EXPECT_NE(info.find("[Trash Info]"), std::string::npos);
  EXPECT_NE(info.find("Path=" + (fs::canonical(temp_.path()) / "20240102.log").string()), std::string::npos) << info;
#endif
}

}  // namespace
}  // namespace qm
