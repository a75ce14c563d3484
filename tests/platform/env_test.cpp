// The platform's own environment on the real file system: natively the POSIX one, under Wine the
// Win32 one, with the same expectations. Also the path arithmetic and UTF conversions beneath them.
#include "platform/env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/path_util.h"
#include "platform/utf.h"
#include "support/real_env.h"
#ifndef _WIN32
#include <sys/stat.h>

#include "platform/posix/trash.h"
#endif

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;

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
  uint32_t got = 0, atEnd = 1;
  ASSERT_TRUE(env_.Read(file, back.data(), static_cast<uint32_t>(back.size()), &got) && env_.Read(file, back.data(), 10, &atEnd));
  EXPECT_EQ(back.substr(0, got), bytes);
  EXPECT_EQ(atEnd, 0u) << "at the end of the file";
  uint64_t position = 0;
  ASSERT_TRUE(env_.Seek(file, 1000, SeekOrigin::Begin, &position));
  ASSERT_TRUE(env_.Seek(file, -10, SeekOrigin::Current, &position));
  EXPECT_EQ(position, 990u);
  ASSERT_TRUE(env_.Read(file, back.data(), 4, &got));
  EXPECT_EQ(back.substr(0, got), bytes.substr(990, 4));
  ASSERT_TRUE(env_.Seek(file, -4, SeekOrigin::End, &position));
  EXPECT_EQ(position, bytes.size() - 4);
  EXPECT_FALSE(env_.Seek(file, -1, SeekOrigin::Begin, &position));
  EXPECT_FALSE(env_.Write(file, "x", 1)) << "opened for reading";
  env_.Close(file);

  EXPECT_EQ(env_.OpenForRead(Path(u"missing.bin")), kInvalidFile);
  EXPECT_EQ(env_.OpenForRead(temp_.path().u16string()), kInvalidFile) << "a folder is not a file";
  EXPECT_EQ(env_.OpenForWrite(Path(u"no-such-folder/new.bin")), kInvalidFile);
}

TEST_F(EnvTest, FoldersFilesAndRenames) {
  const std::u16string folder = Path(u"logs");
  ASSERT_TRUE(env_.CreateFolder(folder));
  EXPECT_FALSE(env_.CreateFolder(folder)) << "it exists already";
  // A name outside ASCII checks the conversions on the way in and out.
  const std::u16string japanese = u"\u65e5\u8a8c.log", a = env_.CombinePath(folder, u"a.tmp");
  const std::u16string b = env_.CombinePath(folder, u"b.log"), c = env_.CombinePath(folder, japanese);
  ASSERT_TRUE(WriteFile(a, "new") && WriteFile(b, "old"));
  ASSERT_TRUE(env_.CreateFolder(env_.CombinePath(folder, u"old")));
  std::vector<std::u16string> names, expected = {u"a.tmp", u"b.log", u"old"};
  ASSERT_TRUE(env_.ListFolder(folder, &names));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(env_.IsFolder(folder) && env_.FileExists(a) && !env_.IsFolder(a));
  EXPECT_FALSE(env_.FileExists(Path(u"missing")) || env_.IsFolder(Path(u"missing")));
  EXPECT_FALSE(env_.ListFolder(Path(u"missing"), &names) || !names.empty());

  ASSERT_TRUE(env_.MoveReplacing(a, b));  // replaces
  EXPECT_EQ(ReadFile(b), "new");
  EXPECT_FALSE(env_.FileExists(a) || env_.MoveReplacing(a, b));
  ASSERT_TRUE(WriteFile(a, "first") && env_.MoveReplacing(a, c));  // a missing target is created
  EXPECT_EQ(ReadFile(c), "first");
  EXPECT_FALSE(env_.RenameFile(b, c));  // refuses an existing target
  EXPECT_EQ(ReadFile(b) + ReadFile(c), "newfirst");
  ASSERT_TRUE(env_.RenameFile(b, a));
  EXPECT_EQ(ReadFile(a) + ReadFile(b), "new");
  EXPECT_TRUE(env_.RemoveFile(a) && !env_.FileExists(a) && !env_.RemoveFile(a));
}

TEST_F(EnvTest, PathHelpersUseThePlatformSeparatorBeyondTheOldLimitToo) {
  const std::u16string sep(1, fs::path::preferred_separator);
  std::u16string folder = temp_.path().u16string();
  while (folder.size() < 400) folder += sep + u"deep-folder-name";  // Windows' shell helpers stop at 260
  const std::u16string file = env_.CombinePath(env_.AddTrailingSeparator(folder), u"20240102.log");
  EXPECT_EQ(file, folder + sep + u"20240102.log");
  EXPECT_EQ(env_.RemoveFileSpec(file) + u"|" + env_.FindFileName(file) + u"|" + env_.RemoveExtension(file),
            folder + u"|20240102.log|" + folder + sep + u"20240102");
  EXPECT_EQ(env_.FindFileName(env_.ExecutablePath()).rfind(u"quillmere_tests", 0), 0u);
}

// Under Wine this is the system's private-profile reader, natively the portable one: both must agree
// on the file the program writes.
TEST_F(EnvTest, ProfileStringsOfAWrittenIniFile) {
  const std::u16string ini = Path(u"quillmere.ini");
  ASSERT_TRUE(WriteFile(ini, "[General]\r\nLanguage=en\r\n\r\n[Recording]\r\nAwayAfterSeconds = 60\r\nEmpty=\r\n"));
  std::u16string value;
  EXPECT_TRUE(env_.ReadProfileString(ini, u"recording", u"awayafterseconds", &value));
  EXPECT_EQ(value, u"60");
  EXPECT_TRUE(env_.ReadProfileString(ini, u"Recording", u"Empty", &value));
  EXPECT_EQ(value, u"");
  EXPECT_FALSE(env_.ReadProfileString(ini, u"General", u"AwayAfterSeconds", &value));
  EXPECT_FALSE(env_.ReadProfileString(ini, u"Usage", u"Period", &value));
  EXPECT_FALSE(env_.ReadProfileString(Path(u"missing.ini"), u"General", u"Language", &value));
}

TEST(PathUtil, CombineSplitAndCompareWithEitherSeparator) {
  const std::u16string cases[][4] = {  // folder, name, separator, combined
      {u"/a/b", u"c", u"/", u"/a/b/c"},          {u"/a/b/", u"./c/../d/", u"/", u"/a/b/d/"},
      {u"/a", u"../../x", u"/", u"/x"},          {u"a", u"../../x", u"/", u"../x"},
      {u"/a", u"/abs//y", u"/", u"/abs/y"},      {u"", u"../../x", u"/", u"../../x"},
      {u"/a/./b/..", u"", u"/", u"/a"},          {u"/", u"", u"/", u"/"},
      {u"C:\\d", u"e.txt", u"\\", u"C:\\d\\e.txt"}, {u"C:\\d", u"D:\\f", u"\\", u"D:\\f"},
      {u"C:\\d", u"x:y", u"/", u"C:\\d/x:y"},    {u"C:\\d", u"D:", u"\\", u"D:"},
      {u"", u"", u"/", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(path_util::Combine(c[0], c[1], c[2][0]), c[3]) << ToUtf8(c[0] + u" + " + c[1]);
  using namespace path_util;
  EXPECT_EQ(RemoveFileSpec(u"/a/b.c", u'/') + u"|" + RemoveFileSpec(u"/b", u'/') + u"|" + RemoveFileSpec(u"b", u'/'), u"/a|/|");
  EXPECT_EQ(FindFileName(u"b", u'/') + u"|" + AddTrailingSeparator(u"", u'/'), u"b|/");
  EXPECT_EQ(RemoveExtension(u"/a.d/b", u'/') + u"|" + RemoveExtension(u"/a/b.c.d", u'/'), u"/a.d/b|/a/b.c");
  EXPECT_TRUE(HasExtension(u"x.AZaz", u".azAZ"));
  EXPECT_FALSE(HasExtension(u"x.bin2", u".bin") || HasExtension(u"bin", u"bin"));
}

TEST(Utf, BoundariesOfEachSequenceLengthAndMalformedInput) {
  const std::pair<std::u16string, std::string> both[] = {
      {u"\u007F\u0080", "\x7F\xC2\x80"}, {u"\u07FF\u0800", "\xDF\xBF\xE0\xA0\x80"},
      {u"\uD7FF\uE000\uFFFF", "\xED\x9F\xBF\xEE\x80\x80\xEF\xBF\xBF"},
      {u"\U00010000\U0010FFFF", "\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
  };
  for (const auto& [utf16, utf8] : both) EXPECT_EQ(std::pair(ToUtf8(utf16), FromUtf8(utf8)), std::pair(utf8, utf16));
  // Unpaired surrogates, and malformed, overlong, surrogate or out-of-range bytes, become U+FFFD.
  EXPECT_EQ(ToUtf8(u"\xD800" u"a\xDBFF\xDC00\xDFFF\xD800"), "\xEF\xBF\xBD" "a\xF4\x8F\xB0\x80\xEF\xBF\xBD\xEF\xBF\xBD");
  const std::string bad[] = {"\x80", "\xFF", "\xC1\xBF", "\xE0\x9F\xBF", "\xED\xA0\x80", "\xF0\x8F\xBF\xBF",
                             "\xF4\x90\x80\x80", "\xED\xBF\xBF", "\xE3\x81", "\xC2" "a"};
  for (const std::string& bytes : bad) EXPECT_EQ(FromUtf8(bytes).substr(0, 1), u"\uFFFD") << bytes;
  EXPECT_EQ(FromUtf8("\xC2" "a"), u"\uFFFD" u"a");
}

TEST_F(EnvTest, SendToRecycleBinTakesTheFileAwayRestorably) {
#ifndef _WIN32
  // The freedesktop.org trash in a folder of the test's own.
  test::ScopedVariable dataHome("XDG_DATA_HOME", (temp_.path() / "data").string());
  const fs::path trash = temp_.path() / "data" / "Trash";
  fs::create_directories(trash / "files");
  test::WriteWholeFile(trash / "files" / "b.log", "stray");  // a trashed file without its record
#endif
  const std::u16string odd = u"AZaz09-_.~ %\u00e4.log";
  for (const std::u16string& name : {std::u16string(u"a.log"), std::u16string(u"a.log"), std::u16string(u"b.log"), odd}) {
    ASSERT_TRUE(WriteFile(Path(name), "day " + ToUtf8(name)));
    EXPECT_TRUE(env_.SendToRecycleBin(Path(name)) && !env_.FileExists(Path(name)));
  }
  EXPECT_FALSE(env_.SendToRecycleBin(Path(u"a.log"))) << "nothing left to recycle";
#ifndef _WIN32
  // Each file with a record of where it came from; names already taken get a number.
  for (const char* name : {"a.log", "a.log.2", "b.log.2"}) EXPECT_EQ(ReadWholeFile(trash / "files" / name), "day " + std::string(name, 5));
  EXPECT_FALSE(fs::exists(trash / "info" / "b.log.trashinfo"));
  const std::string folder = fs::canonical(temp_.path()).string();
  const std::string info = ReadWholeFile(trash / "info" / (ToUtf8(odd) + ".trashinfo"));
  EXPECT_EQ(info.substr(0, info.find("DeletionDate=")), "[Trash Info]\nPath=" + folder + "/AZaz09-_.~%20%25%C3%A4.log\n");
  EXPECT_EQ(info.size() - info.find("DeletionDate="), 33u) << info;  // DeletionDate=YYYY-MM-DDThh:mm:ss\n
  // Without an absolute XDG_DATA_HOME the trash is in the home folder; without either there is none.
  test::ScopedVariable relative("XDG_DATA_HOME", "relative"), home("HOME", folder);
  EXPECT_EQ(HomeTrashFolder(), folder + "/.local/share/Trash");
  test::ScopedVariable noHome("HOME", "relative");
  EXPECT_EQ(HomeTrashFolder(), "");
  test::WriteWholeFile(temp_.path() / "c.log", "c");
  EXPECT_FALSE(MoveToTrash(folder + "/c.log", {}));
  EXPECT_TRUE(fs::exists(temp_.path() / "c.log"));
#endif
}

#ifndef _WIN32
// Into a trash on another file system the file is copied, then removed.
TEST_F(EnvTest, RecyclingAcrossFileSystemsCopiesThenRemoves) {
  if (!fs::is_directory("/dev/shm")) GTEST_SKIP() << "no /dev/shm";
  test::TempFolder other("/dev/shm");
  struct stat here, there;
  const bool apart = stat(temp_.path().c_str(), &here) == 0 && stat(other.path().c_str(), &there) == 0;
  if (!apart || here.st_dev == there.st_dev) GTEST_SKIP() << "/dev/shm is on the same file system";
  test::ScopedVariable dataHome("XDG_DATA_HOME", other.path().string());
  std::string bytes(200'000, 'q');
  bytes[150'000] = 'Q';
  ASSERT_TRUE(WriteFile(Path(u"x.log"), bytes));
  EXPECT_TRUE(env_.SendToRecycleBin(Path(u"x.log")) && !env_.FileExists(Path(u"x.log")));
  EXPECT_EQ(ReadWholeFile(other.path() / "Trash" / "files" / "x.log"), bytes);
}
#endif

}  // namespace
}  // namespace qm
