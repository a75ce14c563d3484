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
#include "support/real_env.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
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

  // A settings file as the program saves it, after `edit` changed the defaults.
  template <typename Edit>
  std::u16string Config(Edit edit) {
    AppState app(env);
    edit(app.settings);
    EXPECT_TRUE(SaveSettingsFile(app) || env.FileExists(SettingsFilePath(env)));
    return SettingsFilePath(env);
  }

  test::TempFolder folder;
  test::RedirectedEnv env{folder.Child(u"quillmere-log")};
  const std::u16string log = folder.Child(u"20160305.bin2");
  LogToolOutput result;
};

TEST_F(LogToolTest, InfoSummarisesListPrintsUtf8LinesAndWritesTheProgramsFile) {
  ASSERT_EQ(Run({u"info", log}), 0);
  EXPECT_EQ(result.out, "file: " + ToUtf8(log) + "\nformat: bin2\nstrings: 1\nrecords: 3\n"
                        "first start: 1:02:03.456\nlast start: 1:05:00.000\ntotal duration: 0:01:06.345\n");
  EXPECT_EQ(result.err, "");
  ASSERT_EQ(Run({u"list", log}), 0);
  EXPECT_EQ(result.out,
            "[1:02:03.456](1:02.345) \"DummyTitle\" - \"C:\\apps\\エディタ.exe\"\n"
            "[1:03:20.000](0:01.000) \"b, \"quoted\"\" - \"none\"\n"
            "[1:05:00.000](0:03.000) \"メモ\" - \"C:\\apps\\エディタ.exe\"\n");
  const std::u16string out = folder.Child(u"list.csv");
  ASSERT_EQ(Run({u"list", u"--out", out, u"--csv", u"--template", u"%d", log}), 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(test::ReadWholeFile(out), Utf16Bytes(u"62345\n1000\n3000\n", true));
  ASSERT_EQ(Run({u"usage", u"--template", u"%u", log}), 0);
  EXPECT_EQ(result.out, "2\n1\n");
}

// The settings file decides line ends, byte-order mark, order and templates, and what export writes.
TEST_F(LogToolTest, ConfigDecidesTheOutputAndExportWritesWhatTheAutomaticExportWrites) {
  const std::u16string exports = folder.Child(u"exports");
  ASSERT_TRUE(env.CreateFolder(exports));
  const std::u16string pattern = u"%d;%u", name = u"day-%y-%M-%D";  // variables: no array-bounds false positive
  const std::u16string config = Config([&](AppSettings& s) {
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
  EXPECT_EQ(test::ReadWholeFile(out), Utf16Bytes(u"none=1.50%\r\nC:\\apps\\エディタ.exe=98.49%\r\n", false));

  // One unreadable log among several, or a log without a date in its name: nothing is written.
  EXPECT_EQ(Run({u"export", u"--config", config, log, folder.Child(u"20160307.bin2")}), 1);
  test::WriteWholeFile(folder.path() / "undated.bin2", test::ReadWholeFile(fs::path(log)));
  EXPECT_EQ(Run({u"export", u"--config", config, folder.Child(u"undated.bin2")}), 1);
  EXPECT_TRUE(fs::is_empty(fs::path(exports)));
  ASSERT_EQ(Run({u"export", u"--config", config, log, log}), 0) << result.err;
  const std::string wrote = "wrote " + ToUtf8(env.CombinePath(exports, u"day-2016-03-05.csv")) + "\nwrote " +
                            ToUtf8(env.CombinePath(exports, u"20160305app.txt")) + "\n";
  EXPECT_EQ(result.out, wrote + wrote);
  const std::string csv = test::ReadWholeFile(fs::path(exports) / "day-2016-03-05.csv");
  EXPECT_EQ(csv.substr(0, 2 * 13), Utf16Bytes(u"01:02:03.456,", false));
  EXPECT_EQ(test::ReadWholeFile(fs::path(exports) / "20160305app.txt").substr(0, 2 * 8), Utf16Bytes(u"[1.50%] ", false));
  // Nothing to export: a note, and success.
  const std::u16string none = Config([](AppSettings&) {});
  ASSERT_EQ(Run({u"export", u"--config", none, log}), 0);
  EXPECT_EQ(result.err, "quillmere-log: nothing exported for " + ToUtf8(log) + "\n");
}

TEST_F(LogToolTest, LegacyFilesAreReadByTheirExtension) {
  const std::u16string legacy = folder.Child(u"20150101.BIN");
  auto record = [](uint16_t hour, uint32_t endTick, std::u16string title, int32_t key) {
    title.resize(256, u'\0');
    return test::ByteBuilder().U16(hour).U16(0).U16(0).U16(0).U32(0).U32(endTick).Utf16(title, false).U32(key).str();
  };
  const std::string strings = test::ByteBuilder().U32(2 * 15).Utf16(u"C:\\old\\app.exe").str();
  const std::string records = record(13, 2500, u"editor", StringKey(u"C:\\old\\app.exe")) + record(14, 500, u"x", 0);
  test::WriteWholeFile(legacy, test::ByteBuilder().Text(".LOG").Section(strings).Section(records).str());
  ASSERT_EQ(Run({u"usage", u"--csv", u"--template", u"%u %d %x", legacy}), 0);
  EXPECT_EQ(result.out, "1 2500 C:\\old\\app.exe\n1 500 none\n");
  // A file without a whole record: nothing to summarise.
  test::WriteWholeFile(legacy, test::ByteBuilder().Text(".LOG").Section(strings).Section("part").str());
  ASSERT_EQ(Run({u"info", legacy}), 0);
  EXPECT_EQ(result.out.substr(result.out.find("format")), "format: bin\nstrings: 1\nrecords: 0\nfirst start: -\n"
                                                          "last start: -\ntotal duration: 0:00:00.000\n");
}

TEST_F(LogToolTest, UnreadableLogsFailWithOneLineAndNoOutputFile) {
  test::WriteWholeFile(folder.path() / "20160306.bin2", ".LOG\x05");
  test::WriteWholeFile(folder.path() / "20160306.bin", ".LOG\x05");
  test::WriteWholeFile(folder.path() / "notes.txt", "text");
  const std::u16string out = folder.Child(u"out.txt");
  for (const std::u16string& bad : {folder.Child(u"20160306.bin2"), folder.Child(u"20160306.bin"),
                                    folder.Child(u"missing.bin2"), folder.Child(u"notes.txt")}) {
    EXPECT_EQ(Run({u"list", u"--out", out, bad}), 1);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(ToUtf8(bad)), std::string::npos);
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
  }
  EXPECT_FALSE(env.FileExists(out) || env.FileExists(out + u".tmp"));
  EXPECT_EQ(Run({u"usage", u"--config", folder.Child(u"no-config"), log}), 1);
  for (const char16_t* command : {u"list", u"usage"}) {
    EXPECT_EQ(Run({command, u"--out", folder.Child(u"missing/out.txt"), log}), 1);
    EXPECT_EQ(result.err.rfind("quillmere-log: cannot write: ", 0), 0u);
  }
}

TEST_F(LogToolTest, BadArgumentsPrintTheUsage) {
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
  EXPECT_EQ(Run({u"list", u"-"}), 1);  // a lone dash names a file
}

}  // namespace
}  // namespace qm
