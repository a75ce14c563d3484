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
using test::TempFolder;

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
  TempFolder temp_;
};

std::string Pattern(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + i / 251);
  return bytes;
}

TEST_F(EnvTest, WrittenBytesReadBackWithSeeking) {
  const std::u16string path = Path(u"data.bin");
  const std::string bytes = Pattern(300000);
  ASSERT_TRUE(WriteFile(path, bytes));

  const FileHandle file = env_.OpenForRead(path);
  ASSERT_NE(file, kInvalidFile);
  std::string back(bytes.size() + 10, '\0');
  uint32_t got = 0;
  ASSERT_TRUE(env_.Read(file, back.data(), static_cast<uint32_t>(back.size()), &got));
  EXPECT_EQ(got, bytes.size());
  back.resize(got);
  EXPECT_EQ(back, bytes);

  ASSERT_TRUE(env_.Read(file, back.data(), 10, &got));
  EXPECT_EQ(got, 0u) << "at the end of the file";

  uint64_t position = 0;
  ASSERT_TRUE(env_.Seek(file, 1000, SeekOrigin::Begin, &position));
  EXPECT_EQ(position, 1000u);
  ASSERT_TRUE(env_.Seek(file, -10, SeekOrigin::Current, &position));
  EXPECT_EQ(position, 990u);
  char four[4];
  ASSERT_TRUE(env_.Read(file, four, 4, &got));
  ASSERT_EQ(got, 4u);
  EXPECT_EQ(std::string(four, 4), bytes.substr(990, 4));
  ASSERT_TRUE(env_.Seek(file, -4, SeekOrigin::End, &position));
  EXPECT_EQ(position, bytes.size() - 4);
  ASSERT_TRUE(env_.Seek(file, 0, SeekOrigin::Current, nullptr));
  env_.Close(file);
}

TEST_F(EnvTest, OpeningForWriteTruncatesAndMissingFilesDoNotOpen) {
  const std::u16string path = Path(u"data.bin");
  ASSERT_TRUE(WriteFile(path, "a longer first version"));
  ASSERT_TRUE(WriteFile(path, "short"));
  EXPECT_EQ(ReadFile(path), "short");

  EXPECT_EQ(env_.OpenForRead(Path(u"missing.bin")), kInvalidFile);
  EXPECT_EQ(env_.OpenForWrite(Path(u"no-such-folder/new.bin")), kInvalidFile);
}

#ifdef _WIN32
TEST_F(EnvTest, OpenFilesAreNotShared) {
  const std::u16string path = Path(u"data.bin");
  ASSERT_TRUE(WriteFile(path, "x"));
  const FileHandle first = env_.OpenForRead(path);
  ASSERT_NE(first, kInvalidFile);
  EXPECT_EQ(env_.OpenForRead(path), kInvalidFile);
  EXPECT_EQ(env_.OpenForWrite(path), kInvalidFile);
  env_.Close(first);
}
#endif

TEST_F(EnvTest, FoldersAreCreatedAndListed) {
  const std::u16string folder = Path(u"logs");
  ASSERT_TRUE(env_.CreateFolder(folder));
  EXPECT_FALSE(env_.CreateFolder(folder)) << "it exists already";
  EXPECT_TRUE(env_.IsFolder(folder));
  EXPECT_TRUE(env_.FileExists(folder));

  std::vector<std::u16string> names;
  ASSERT_TRUE(env_.ListFolder(folder, &names));
  EXPECT_TRUE(names.empty());

  // A name outside ASCII checks the conversions on the way in and out.
  const std::u16string japanese = u"\u65e5\u8a8c.log";
  ASSERT_TRUE(WriteFile(env_.CombinePath(folder, u"20240102.log"), "1"));
  ASSERT_TRUE(WriteFile(env_.CombinePath(folder, japanese), "2"));
  ASSERT_TRUE(env_.CreateFolder(env_.CombinePath(folder, u"old")));
  ASSERT_TRUE(env_.ListFolder(folder, &names));
  std::sort(names.begin(), names.end());
  std::vector<std::u16string> expected = {u"20240102.log", u"old", japanese};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(fs::exists(fs::path(folder) / fs::path(japanese)));

  const std::u16string file = env_.CombinePath(folder, u"20240102.log");
  EXPECT_TRUE(env_.FileExists(file));
  EXPECT_FALSE(env_.IsFolder(file));
  EXPECT_FALSE(env_.FileExists(Path(u"missing")));
  EXPECT_FALSE(env_.IsFolder(Path(u"missing")));
  EXPECT_FALSE(env_.ListFolder(Path(u"missing"), &names));
  EXPECT_TRUE(names.empty());
}

TEST_F(EnvTest, MoveReplacingReplacesAnExistingTargetAndCreatesAMissingOne) {
  const std::u16string from = Path(u"day.tmp");
  const std::u16string to = Path(u"day.log");
  ASSERT_TRUE(WriteFile(to, "old"));
  ASSERT_TRUE(WriteFile(from, "new"));
  ASSERT_TRUE(env_.MoveReplacing(from, to));
  EXPECT_EQ(ReadFile(to), "new");
  EXPECT_FALSE(env_.FileExists(from));

  const std::u16string fresh = Path(u"fresh.log");
  ASSERT_TRUE(WriteFile(from, "first"));
  ASSERT_TRUE(env_.MoveReplacing(from, fresh));
  EXPECT_EQ(ReadFile(fresh), "first");
  EXPECT_FALSE(env_.FileExists(from));

  EXPECT_FALSE(env_.MoveReplacing(Path(u"missing.tmp"), to));
  EXPECT_EQ(ReadFile(to), "new");
}

TEST_F(EnvTest, RenameFileRefusesAnExistingTarget) {
  const std::u16string from = Path(u"a.log");
  const std::u16string to = Path(u"b.log");
  ASSERT_TRUE(WriteFile(from, "a"));
  ASSERT_TRUE(WriteFile(to, "b"));
  EXPECT_FALSE(env_.RenameFile(from, to));
  EXPECT_EQ(ReadFile(from), "a");
  EXPECT_EQ(ReadFile(to), "b");

  const std::u16string other = Path(u"c.log");
  ASSERT_TRUE(env_.RenameFile(from, other));
  EXPECT_EQ(ReadFile(other), "a");
  EXPECT_FALSE(env_.FileExists(from));
}

TEST_F(EnvTest, RemoveFileDeletesOnlyWhatExists) {
  const std::u16string path = Path(u"a.log");
  ASSERT_TRUE(WriteFile(path, "a"));
  EXPECT_TRUE(env_.RemoveFile(path));
  EXPECT_FALSE(env_.FileExists(path));
  EXPECT_FALSE(env_.RemoveFile(path));
}

TEST_F(EnvTest, PathHelpersUseThePlatformSeparator) {
  const std::u16string folder = temp_.u16();
  const std::u16string sep(1, kSeparator);
  const std::u16string file = env_.CombinePath(folder, u"20240102.log");
  EXPECT_EQ(file, folder + sep + u"20240102.log");
  EXPECT_EQ(env_.CombinePath(env_.AddTrailingSeparator(folder), u"x"), folder + sep + u"x");
  EXPECT_EQ(env_.RemoveFileSpec(file), folder);
  EXPECT_EQ(env_.FindFileName(file), u"20240102.log");
  EXPECT_EQ(env_.RemoveExtension(file), folder + sep + u"20240102");
  EXPECT_EQ(env_.RemoveExtension(env_.CombinePath(folder, u"noext")), folder + sep + u"noext");
  EXPECT_EQ(env_.AddTrailingSeparator(folder), folder + sep);
  EXPECT_EQ(env_.AddTrailingSeparator(folder + sep), folder + sep);
}

TEST_F(EnvTest, PathHelpersHandlePathsLongerThanTheOldLimit) {
  // Windows' shell helpers stop at 260 characters; the environment must still answer.
  const std::u16string sep(1, kSeparator);
  std::u16string folder = temp_.u16();
  while (folder.size() < 400) folder += sep + u"deep-folder-name";
  const std::u16string file = env_.CombinePath(folder, u"20240102.log");
  EXPECT_EQ(file, folder + sep + u"20240102.log");
  EXPECT_EQ(env_.RemoveFileSpec(file), folder);
  EXPECT_EQ(env_.FindFileName(file), u"20240102.log");
  EXPECT_EQ(env_.RemoveExtension(file), folder + sep + u"20240102");
  EXPECT_EQ(env_.AddTrailingSeparator(folder), folder + sep);
}

TEST_F(EnvTest, ExecutablePathNamesTheRunningTestProgram) {
  const std::u16string exe = env_.ExecutablePath();
  ASSERT_FALSE(exe.empty());
  EXPECT_TRUE(env_.FileExists(exe));
  EXPECT_TRUE(env_.IsFolder(env_.RemoveFileSpec(exe)));
  EXPECT_EQ(env_.FindFileName(exe).rfind(u"quillmere_tests", 0), 0u);
}

TEST_F(EnvTest, ClockGivesAPlausibleDateAndAMovingTickCount) {
  const LocalTime now = env_.Now();
  EXPECT_GE(now.year, 2020);
  EXPECT_TRUE(now.month >= 1 && now.month <= 12);
  EXPECT_TRUE(now.day >= 1 && now.day <= 31);
  EXPECT_LE(now.dayOfWeek, 6);
  EXPECT_LE(now.hour, 23);
  EXPECT_LE(now.minute, 59);
  EXPECT_LE(now.second, 59);
  EXPECT_LE(now.milliseconds, 999);

  const uint32_t before = env_.TickCount();
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const uint32_t elapsed = env_.TickCount() - before;  // unsigned: right across a wrap too
  EXPECT_GE(elapsed, 30u);
  EXPECT_LT(elapsed, 600000u);
}

#ifndef _WIN32
// Points the freedesktop.org trash at a folder of the test's own for the test's duration.
class ScopedDataHome {
 public:
  explicit ScopedDataHome(const fs::path& folder) {
    if (const char* old = std::getenv("XDG_DATA_HOME")) old_ = old;
    setenv("XDG_DATA_HOME", folder.c_str(), 1);
  }
  ~ScopedDataHome() {
    if (old_) {
      setenv("XDG_DATA_HOME", old_->c_str(), 1);
    } else {
      unsetenv("XDG_DATA_HOME");
    }
  }

 private:
  std::optional<std::string> old_;
};
#endif

TEST_F(EnvTest, SendToRecycleBinTakesTheFileAway) {
  const std::u16string path = Path(u"20240102.log");
  ASSERT_TRUE(WriteFile(path, "day"));
#ifndef _WIN32
  const ScopedDataHome dataHome(temp_.path() / "data");
#endif
  ASSERT_TRUE(env_.SendToRecycleBin(path));
  EXPECT_FALSE(env_.FileExists(path));
  EXPECT_FALSE(env_.SendToRecycleBin(path)) << "nothing left to recycle";
#ifndef _WIN32
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
