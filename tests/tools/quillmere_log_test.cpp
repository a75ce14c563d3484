// quillmere-log on real files: day logs written by the program's own writer and legacy files built by
// hand, settings written by the program's own settings writer. (The lines themselves: see the output
// tests.)
#include "app/app_state.h"
#include "quillmere_log/log_tool.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <map>
#include <random>
#include <sstream>

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

// A generated month in two computers' folders (some dates in both, one date in neither): each range
// output is what the days' own outputs add up to.
class LogToolPeriodTest : public LogToolTest {
 protected:
  void SetUp() override {
    std::mt19937 random(201603);
    for (const fs::path& f : {a, b}) fs::create_directories(f);
    for (int d = 1; d <= 31; ++d) {
      if (d == 10) continue;
      for (const fs::path& f : {a, b}) {
        if (f == b && d % 3 != 0) continue;
        StringPool pool;
        DayLog day;
        for (uint32_t start = random() % 50'000'000; start < kMillisecondsPerDay; start += 1 + random() % 600'000) {
          const std::u16string path = u"C:\\apps\\p" + FromUtf8(std::to_string(random() % 6)) + u".exe";
          day.Append({0, start, static_cast<uint32_t>(random() % 900'000), static_cast<uint32_t>(pool.Intern(path, UserCurrentDay))},
                     u"t, \"" + FromUtf8(std::to_string(random())));
        }
        char name[16];
        std::snprintf(name, sizeof name, "201603%02d.bin2", d);
        ASSERT_TRUE(WriteDayLogFile(env, (f / name).u16string(), pool, day));
        logs.emplace_back(d, (f / name).u16string());
      }
    }
  }
  std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::vector<std::u16string> Month(std::vector<std::u16string> args) {
    args.insert(args.end(), {u"--month", u"201603", u"--log", a.u16string(), u"--log", b.u16string()});
    return args;
  }
  fs::path a = folder.path() / "pc-a", b = folder.path() / "pc-b";
  std::vector<std::pair<int, std::u16string>> logs;  // date order, folder a before b
};

TEST_F(LogToolPeriodTest, MonthOutputsAreTheSumsOfTheDaysOutputs) {
  std::map<std::string, std::pair<uint64_t, uint64_t>> usage;  // path: total ms, records
  std::map<int, std::array<uint64_t, 4>> days;  // date: total, records, first start, last end
  std::string list;
  for (const auto& [date, log] : logs) {
    ASSERT_EQ(Run({u"list", u"--csv", log}), 0);
    char iso[16];
    std::snprintf(iso, sizeof iso, "2016-03-%02d,", date);
    for (const std::string& line : Lines(result.out)) list += iso + line + "\n";
    ASSERT_EQ(Run({u"list", u"--csv", u"--template", u"%i,%d,%x", log}), 0);
    auto& day = days.try_emplace(date, std::array<uint64_t, 4>{0, 0, UINT64_MAX, 0}).first->second;
    for (const std::string& line : Lines(result.out)) {
      uint64_t start = 0, duration = 0;
      char path[64] = {};
      ASSERT_EQ(std::sscanf(line.c_str(), "%" SCNu64 ",%" SCNu64 ",%63s", &start, &duration, path), 3);
      usage[path].first += duration;
      ++usage[path].second;
      day = {day[0] + duration, day[1] + 1, std::min(day[2], start), std::max(day[3], start + duration)};
    }
  }
  ASSERT_EQ(Run(Month({u"list", u"--csv"})), 0) << result.err;
  EXPECT_EQ(result.out, list);
  ASSERT_EQ(Run(Month({u"usage", u"--csv", u"--template", u"%x,%d,%u"})), 0) << result.err;
  std::map<std::string, std::pair<uint64_t, uint64_t>> monthUsage;
  for (const std::string& line : Lines(result.out)) {
    char path[64] = {};
    uint64_t total = 0, count = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "%63[^,],%" SCNu64 ",%" SCNu64, path, &total, &count), 3);
    monthUsage[path] = {total, count};
  }
  EXPECT_EQ(monthUsage, usage);
  ASSERT_EQ(Run(Month({u"days", u"--csv"})), 0) << result.err;
  const std::vector<std::string> dayLines = Lines(result.out);
  ASSERT_EQ(dayLines.size(), days.size());
  auto line = dayLines.begin();
  for (const auto& [date, d] : days) {
    char expected[128];
    std::snprintf(expected, sizeof expected, "2016-03-%02d,%" PRIu64 ",%" PRIu64 ",%" PRIu64 ",%" PRIu64 ",", date, d[0],
                  d[1], d[2], d[3]);
    EXPECT_EQ(line++->rfind(expected, 0), 0u) << expected;
  }
  // The text form of one Monday-to-Sunday week: the days of 2016-02-29 to 03-06 that have logs.
  ASSERT_EQ(Run({u"days", u"--week", u"20160305", u"--log", a.u16string()}), 0);
  const std::vector<std::string> week = Lines(result.out);
  ASSERT_EQ(week.size(), 6u);
  EXPECT_EQ(week.front().substr(0, 15), "2016-03-01 Tue ");
  EXPECT_EQ(week.back().substr(0, 15), "2016-03-06 Sun ");
}

// Bad dates, ranges and folders: one line and exit code 2. Unreadable days: named on standard error,
// the output still complete, exit code 1.
TEST_F(LogToolPeriodTest, RangeMistakesAndUnreadableDays) {
  const std::u16string dir = a.u16string(), missing = folder.Child(u"nowhere");
  const std::pair<std::vector<std::u16string>, std::string> mistakes[] = {
      {{u"usage", u"--month", u"201613", u"--log", dir}, "not a date (YYYYMM): 201613"},
      {{u"days", u"--week", u"20150229", u"--log", dir}, "not a date (YYYYMMDD): 20150229"},
      {{u"list", u"--year", u"16", u"--log", dir}, "not a date (YYYY): 16"},
      {{u"days", u"--from", u"20160310", u"--to", u"20160305", u"--log", dir},
       "the range ends before it begins: 20160310 to 20160305"},
      {{u"days", u"--from", u"20160301", u"--to", u"2016031", u"--log", dir}, "not a date (YYYYMMDD): 2016031"},
      {{u"days", u"--from", u"20160310", u"--log", dir}, "--from and --to go together"},
      {{u"days", u"--week", u"20160310", u"--month", u"201603", u"--log", dir},
       "give one range: --from and --to, --week, --month or --year"},
      {{u"days", u"--year", u"2016", u"--log", dir, u"--log", missing}, "no such folder: " + ToUtf8(missing)}};
  for (const auto& [args, error] : mistakes) {
    EXPECT_EQ(Run(args), 2);
    EXPECT_EQ(result.err, "quillmere-log: " + error + "\n");
    EXPECT_EQ(result.out, "");
  }
  for (const std::vector<std::u16string>& bad : {std::vector<std::u16string>{u"days", u"--log", dir},
                                                 {u"days", u"--year", u"2016", log}, {u"list", u"--log", dir, log},
                                                 {u"days", u"--template", u"%d", u"--year", u"2016"}}) {
    EXPECT_EQ(Run(bad), 2);
    EXPECT_EQ(result.err.rfind("usage: quillmere-log", 0), 0u);
  }
  ASSERT_EQ(Run({u"days", u"--from", u"20160301", u"--to", u"20160301", u"--log", dir}), 0);  // one day
  EXPECT_EQ(result.out.rfind("2016-03-01 Tue ", 0), 0u);
  ASSERT_EQ(Run(Month({u"days"})), 0);
  const std::string complete = result.out;
  const std::u16string damaged = (b / "20160310.bin2").u16string();  // a date without a readable log
  test::WriteWholeFile(fs::path(damaged), ".LOG\x07");
  EXPECT_EQ(Run(Month({u"days"})), 1);
  EXPECT_EQ(result.out, complete);
  EXPECT_EQ(result.err, "quillmere-log: cannot read day log: " + ToUtf8(damaged) + "\n");
}

}  // namespace
}  // namespace qm
