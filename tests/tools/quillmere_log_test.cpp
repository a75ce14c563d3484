// quillmere-log on real files: day logs written by the program's own writer and legacy files built by
// hand, settings written by the program's own settings writer. (The lines themselves: see the output
// tests.)
#include "app/app_state.h"
#include "quillmere_log/log_tool.h"

#include <gtest/gtest.h>

#include "core/fixed_string.h"
#include "output/usage_order.h"
#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "storage/settings_file.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"
#include "support/real_env.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using test::ReadWholeFile;
using test::Utf16Bytes;

class LogToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StringPool pool;
    const auto editor = static_cast<uint32_t>(pool.Intern(u"C:\\apps\\エディタ.exe", UserCurrentDay));
    DayLog day;
    day.Append({0, 3'723'456, 62'345, editor}, u"DummyTitle");
    day.Append({0, 3'800'000, 1'000, 0}, u"b, \"quoted\"");
    day.Append({0, 3'900'000, 3'000, editor}, u"メモ");
    ASSERT_TRUE(WriteDayLogFile(env, log, pool, day));
  }
  int Run(std::vector<std::u16string> args) {
    result = LogToolOutput();
    return RunLogTool(env, args, result);
  }
  test::TempFolder folder;
  Env& env = DefaultEnv();
  const std::u16string log = folder.Child(u"20160305.bin2");
  LogToolOutput result;
};

// Each command's output with the default settings; the legacy file by its extension.
TEST_F(LogToolTest, InfoListAndUsagePrintUtf8LinesOrWriteTheProgramsFile) {
  const std::u16string legacy = folder.Child(u"20150101.BIN"), out = folder.Child(u"list.csv");
  // One record of the earlier product: clock fields, start and end ticks, a 256-unit title, the key.
  const std::string strings = test::ByteBuilder().U32(2 * 15).Utf16(u"C:\\old\\app.exe").str();
  const std::string record =
      test::ByteBuilder().U16(13).Zeros(10).U32(2500).Zeros(512).U32(StringKey(u"C:\\old\\app.exe")).str();
  test::WriteWholeFile(legacy, test::ByteBuilder().Text(".LOG").Section(strings).Section(record).str());
  const std::pair<std::vector<std::u16string>, std::string> runs[] = {
      {{u"info", log}, "file: " + ToUtf8(log) + "\nformat: bin2\nstrings: 1\nrecords: 3\nfirst start: 1:02:03.456\n"
                                                "last start: 1:05:00.000\ntotal duration: 0:01:06.345\n"},
      {{u"list", log}, "[1:02:03.456](1:02.345) \"DummyTitle\" - \"C:\\apps\\エディタ.exe\"\n"
                       "[1:03:20.000](0:01.000) \"b, \"quoted\"\" - \"none\"\n"
                       "[1:05:00.000](0:03.000) \"メモ\" - \"C:\\apps\\エディタ.exe\"\n"},
      {{u"list", u"--out", out, u"--csv", u"--template", u"%d", log}, ""},
      {{u"usage", u"--csv", u"--template", u"%u %d %x", legacy}, "1 2500 C:\\old\\app.exe\n"}};
  for (const auto& [args, out] : runs) {
    ASSERT_EQ(Run(args), 0) << result.err;
    EXPECT_EQ(result.out, out);
  }
  EXPECT_EQ(ReadWholeFile(out), Utf16Bytes(u"62345\n1000\n3000\n", true));
}

// The settings file decides line ends, byte-order mark, order and templates, and what export writes.
TEST_F(LogToolTest, ConfigDecidesTheOutputAndExportWritesWhatTheAutomaticExportWrites) {
  const std::u16string exports = folder.Child(u"exports"), config = folder.Child(u"config");
  ASSERT_TRUE(env.CreateFolder(exports));
  const std::u16string pattern = u"%d;%u", name = u"day-%y-%M-%D";  // variables: no array-bounds false positive
  auto save = [&](auto edit) {  // by the program's own writer, then copied here
    test::FakeEnv written;
    AppState app(written);
    edit(app.settings);
    SaveSettingsFile(app);
    test::WriteWholeFile(fs::path(config), written.FileBytes(SettingsFilePath(written)));
  };
  save([&](AppSettings& s) {
    s.newlineMode = 1;
    s.writeBom = 0;
    s.usageSortColumn = kUsageDuration;
    s.usageSortDescending = 0;
    CopyToArray(s.usageCsvTemplate, pattern);
    CopyToArray(s.listExportFolder, exports);
    CopyToArray(s.usageExportFolder, exports);
    CopyToArray(s.listExportName, name);
    s.listCsvExport = 1;
    s.usageTextExport = 1;
  });
  ASSERT_EQ(Run({u"usage", u"--csv", u"--config", config, log}), 0);
  EXPECT_EQ(result.out, "1000;1\r\n65345;2\r\n");
  const std::u16string out = folder.Child(u"usage.txt");
  ASSERT_EQ(Run({u"usage", u"--config", config, u"--template", u"%x=%r%%", u"--out", out, log}), 0);
  EXPECT_EQ(ReadWholeFile(out), Utf16Bytes(u"none=1.50%\r\nC:\\apps\\エディタ.exe=98.49%\r\n", false));

  // One unreadable log among several, or a log without a date in its name: nothing is written.
  EXPECT_EQ(Run({u"export", u"--config", config, log, folder.Child(u"20160307.bin2")}), 1);
  test::WriteWholeFile(folder.path() / "undated.bin2", ReadWholeFile(fs::path(log)));
  EXPECT_EQ(Run({u"export", u"--config", config, folder.Child(u"undated.bin2")}), 1);
  EXPECT_TRUE(fs::is_empty(fs::path(exports)));
  ASSERT_EQ(Run({u"export", u"--config", config, log, log}), 0) << result.err;
  const std::string wrote = "wrote " + ToUtf8(env.CombinePath(exports, u"day-2016-03-05.csv")) + "\nwrote " +
                            ToUtf8(env.CombinePath(exports, u"20160305app.txt")) + "\n";
  EXPECT_EQ(result.out, wrote + wrote);
  EXPECT_EQ(ReadWholeFile(fs::path(exports) / "day-2016-03-05.csv").substr(0, 2 * 13), Utf16Bytes(u"01:02:03.456,", false));
  EXPECT_EQ(ReadWholeFile(fs::path(exports) / "20160305app.txt").substr(0, 2 * 8), Utf16Bytes(u"[1.50%] ", false));
  // Nothing to export: a note, and success.
  save([](AppSettings&) {});
  ASSERT_EQ(Run({u"export", u"--config", config, log}), 0);
  EXPECT_EQ(result.err, "quillmere-log: nothing exported for " + ToUtf8(log) + "\n");
}

// Unreadable logs and settings, and unwritable files, fail with one line and leave no file; bad
// arguments print the usage.
TEST_F(LogToolTest, FailuresSayWhatFailedInOneLine) {
  const std::u16string out = folder.Child(u"out.txt"), bin2 = folder.Child(u"20160306.bin2");
  const std::u16string txt = folder.Child(u"notes.txt"), config = folder.Child(u"no-config"), nowhere = folder.Child(u"missing/out.txt");
  test::WriteWholeFile(fs::path(bin2), ".LOG\x05");
  // {arguments, what failed, the file it names}
  const std::tuple<std::vector<std::u16string>, std::string, std::u16string> failures[] = {
      {{u"list", u"--out", out, bin2}, "cannot read day log", bin2},
      {{u"list", u"--out", out, txt}, "not a day log (.bin2 or .bin)", txt},
      {{u"list", u"-"}, "not a day log (.bin2 or .bin)", u"-"},  // a lone dash names a file
      {{u"usage", u"--config", config, log}, "cannot read settings file", config},
      {{u"list", u"--out", nowhere, log}, "cannot write", nowhere},
      {{u"usage", u"--out", nowhere, log}, "cannot write", nowhere}};
  for (const auto& [args, what, named] : failures) {
    EXPECT_EQ(Run(args), 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "quillmere-log: " + what + ": " + ToUtf8(named) + "\n");
  }
  EXPECT_FALSE(env.FileExists(out) || env.FileExists(out + u".tmp"));
  const std::u16string longest(127, u'a');
  const std::vector<std::vector<std::u16string>> bad = {
      {}, {u"frobnicate", log}, {u"list"}, {u"list", log, log}, {u"info", u"--csv", log}, {u"export"},
      {u"list", u"--template"}, {u"list", log, u"--out"}, {u"list", log, u"--config"}, {u"export", u"--out", u"x", log},
      {u"export", u"--template", u"x", log}, {u"info", u"--config", u"x", log}, {u"usage", u"--bogus", log},
      {u"list", u"--template", longest + u"a", log}};
  for (const auto& args : bad) {
    EXPECT_EQ(Run(args), 2) << args.size();
    EXPECT_EQ(result.err.rfind("usage: quillmere-log", 0), 0u);
  }
  EXPECT_EQ(Run({u"list", u"--template", longest, log}), 0);
}

}  // namespace
}  // namespace qm
