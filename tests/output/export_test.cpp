// Lines and files leaving the program: record lines through templates, names from date templates,
// the automatic exports, the saved day list and the saved statistics, checked byte for byte on the
// fake file system.
#include <gtest/gtest.h>

#include <tuple>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "output/auto_export.h"
#include "output/day_list_file.h"
#include "output/file_name_template.h"
#include "output/record_line.h"
#include "output/usage_file.h"
#include "output/usage_order.h"
#include "support/byte_builder.h"
#include "support/crash_safety.h"

namespace qm {
namespace {

using test::Utf16Bytes;
using Paths = std::vector<std::u16string>;

class RecordLineTest : public ::testing::Test {
 protected:
  void SetUp() override { CompileTemplates(app.settings, app.templates); }

  // The line of a record through `pattern`.
  std::u16string Render(std::u16string_view pattern, uint32_t start = 3'723'456, uint32_t duration = 62'345,
                        std::u16string_view title = u"DummyTitle", uint32_t exeKey = 12345) {
    day.Clear();
    EXPECT_TRUE(day.Append({0, start, duration, exeKey}, title));
    CompiledTemplate compiled;
    EXPECT_TRUE(CompileTemplate(pattern, compiled));
    LineBuffer line;
    EXPECT_TRUE(FormatRecordLine(line, app.pool, compiled, day.At(0)));
    return std::u16string(line.View());
  }

  test::FakeEnv env;
  AppState app{env};
  DayLog day;
};

TEST_F(RecordLineTest, SpecifiersPercentRunsAndUnknownLetters) {
  EXPECT_EQ(Render(u"%h|%H|%m|%M|%s|%S|%l|%L|%i", 36'061'005), u"10|10|1|01|1|01|5|005|36061005");
  EXPECT_EQ(Render(u"%n|%e|%E|%c|%C|%d", 0, 7'384'005), u"123|4|04|5|005|7384005");
  EXPECT_EQ(Render(u"%h:%M:%S.%L %H", 0, 0), u"0:00:00.000 00");
  EXPECT_EQ(Render(u"%H", 86'399'999), u"23");
  // The path comes from the pool, "none" without one; the title is copied unescaped.
  const int32_t key = app.pool.Intern(u"C:\\tools\\ed.exe", UserViewedDay);
  EXPECT_EQ(Render(u"%x|%t", 0, 0, u"say \"hi\", ok", static_cast<uint32_t>(key)), u"C:\\tools\\ed.exe|say \"hi\", ok");
  EXPECT_EQ(Render(u"%x", 0, 0, u"", 99), u"none");
  // On the record of start 3,723,456 and duration 62,345.
  const std::pair<std::u16string_view, std::u16string_view> percents[] = {
      {u"%%d", u"62345"}, {u"a%%d", u"a62345"}, {u"%", u"%"}, {u"%%", u"%"}, {u"100%%%", u"100%"},
      {u"%q", u"%q"}, {u"%%%q", u"%q"}, {u"%a%u%r%T", u"%a%u%r%T"},  // usage letters mean nothing here
  };
  for (const auto& [pattern, line] : percents) EXPECT_EQ(Render(pattern), line);
}

// 1023 units is the most a line holds; the line end is cut like any other text.
TEST_F(RecordLineTest, LongLinesAreCutAt1023UnitsWithTheLineEndCutToo) {
  day.Append({0, 0, 0, 0}, std::u16string(129, u'T'));
  for (const auto& [lineUnits, newlineMode, end] : {std::tuple<size_t, int32_t, std::u16string_view>{1021, 1, u"\r\n"},
                                                    {1022, 1, u"\r"}, {1023, 1, u""}, {1022, 0, u"\n"}, {1023, 0, u""},
                                                    {2000, 0, u""}}) {
    // Eight titles (1032 units) cut to the wanted length by a template of literal text and titles.
    std::u16string pattern = std::u16string(lineUnits % 129, u'p');
    for (size_t i = 0; i < lineUnits / 129; ++i) pattern += u"%t";
    CompileTemplate(pattern, app.templates[kListTextTemplate]);
    app.settings.newlineMode = newlineMode;
    LineBuffer line;
    ListTextLine(line, day.At(0), app);
    const size_t body = std::min<size_t>(lineUnits, 1023);
    ASSERT_EQ(line.Length(), body + end.size()) << lineUnits << " " << newlineMode;
    EXPECT_EQ(line.View().substr(body), end);
    EXPECT_EQ(line.Data()[line.Length()], u'\0');
  }
}

TEST(ExpandFileNameTemplate, SpecifiersForbiddenCharactersAndThe129UnitLimit) {
  const LocalTime t{2016, 3, 6, 5, 9, 30, 7, 45};
  const std::u16string n127(127, u'n'), n128(128, u'n');
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"%y-%M-%D_%H%I", u"2016-03-05_0930"},
      {u"%Y-%m-%d-%h-%i-%s-%S-%l-%L", u"16-3-5-9-30-7-07-45-045"},
      {u"%%y%q%", u"2016%q"},  // a run of % is one; a trailing % vanishes
      {u"a:b/c", u"abc"},
      {u"\\/?:*\"><|", u""},
      {u"%/y", u"y"},  // a forbidden character ends a pending %
      {u"..\\..\\x", u"....x"},
      {std::u16string(u"ab\0cd", 5), u"ab"},
      {std::u16string(200, u'n'), std::u16string(129, u'n')},
      {n127 + u"%yzz", n127 + u"2016"},  // an expansion begun below the limit is finished
      {n127 + u"n%qzz", n127 + u"n%"},
      {n127 + u"%qzz", n127 + u"%q"},
      {n128 + u"%qzz", n128 + u"%"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(ExpandFileNameTemplate(t, cases[i].first), cases[i].second) << i;
  EXPECT_EQ(ExpandFileNameTemplate({2005, 11, 0, 23}, u"%Y%M%D"), u"51123");
}

class ExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    env.CreateFolder(u"/out");
    env.CreateFolder(u"/stats");
    CopyToArray(app.settings.listExportFolder, u"/out");
    CopyToArray(app.settings.usageExportFolder, u"/stats");
    CompileTemplates(app.settings, app.templates);
    const auto editor = static_cast<uint32_t>(app.pool.Intern(u"C:\\ed.exe", UserCurrentDay));
    app.sampler.day.Append({0, 3'723'456, 62'345, editor}, u"DummyTitle");
    app.sampler.day.Append({0, 3'800'000, 1'000, 0}, u"b");
    app.sampler.day.Append({0, 3'900'000, 3'000, editor}, u"a");
  }
  test::FakeEnv env;
  AppState app{env};
  const LocalTime date{2016, 3, 6, 5, 9, 30, 0, 0};
};

TEST_F(ExportTest, ListExportWithBomAndCrlfByteForByte) {
  app.settings.listCsvExport = 1;
  app.settings.listTextExport = 1;
  app.settings.newlineMode = 1;
  Paths written;
  ASSERT_TRUE(ExportList(app, date, &written));
  EXPECT_EQ(written, (Paths{u"/out/20160305.csv", u"/out/20160305.txt"}));
  EXPECT_EQ(env.FileBytes(u"/out/20160305.csv"),
            Utf16Bytes(u"01:02:03.456,62345,\"DummyTitle\",\"C:\\ed.exe\"\r\n"
                       u"01:03:20.000,1000,\"b\",\"none\"\r\n"
                       u"01:05:00.000,3000,\"a\",\"C:\\ed.exe\"\r\n",
                       true));
  EXPECT_EQ(env.FileBytes(u"/out/20160305.txt"),
            Utf16Bytes(u"[1:02:03.456](1:02.345) \"DummyTitle\" - \"C:\\ed.exe\"\r\n"
                       u"[1:03:20.000](0:01.000) \"b\" - \"none\"\r\n"
                       u"[1:05:00.000](0:03.000) \"a\" - \"C:\\ed.exe\"\r\n",
                       true));
}

TEST_F(ExportTest, UsageExportInTheSavedOrderWithoutBomAndLf) {
  app.settings.usageCsvExport = 1;
  app.settings.writeBom = 0;
  app.settings.usageSortColumn = kUsageDuration;  // the setting of the usage window: largest first
  ASSERT_TRUE(ExportUsage(app, date));
  EXPECT_FALSE(env.HasFile(u"/stats/20160305app.txt"));
  EXPECT_EQ(env.FileBytes(u"/stats/20160305app.csv"),
            Utf16Bytes(u"98.49,65345,32672,\"C:\\ed.exe\",2\n1.50,1000,1000,\"none\",1\n", false));
}

TEST_F(ExportTest, NamesFallBackToTheDateDotsStayInTheFolderAndNothingEnabledWritesNothing) {
  Paths written;
  EXPECT_FALSE(ExportList(app, date, &written) || ExportUsage(app, date, &written));
  app.settings.listTextExport = 1;
  app.settings.usageTextExport = 1;
  CopyToArray(app.settings.listExportName, u"");
  CopyToArray(app.settings.usageExportName, u"///");
  RunAutoExport(app, date, &written);
  EXPECT_EQ(written, (Paths{u"/out/20160305.txt", u"/stats/20160305app.txt"}));
  const std::string statistics = env.FileBytes(written[1]);
  CopyToArray(app.settings.listExportName, u"..");
  written.clear();
  ASSERT_TRUE(ExportList(app, date, &written));
  EXPECT_EQ(written, Paths{u"/out/...txt"});

  // A folder that is missing or none at all writes nothing; an empty day writes a list of only the
  // byte-order mark but leaves any earlier statistics of the day.
  CopyToArray(app.settings.listExportFolder, u"/nowhere");
  CopyToArray(app.settings.usageExportFolder, u"");
  EXPECT_FALSE(ExportList(app, date) || ExportUsage(app, date));
  EXPECT_EQ(env.FilePaths().size(), 3u);
  CopyToArray(app.settings.listExportFolder, u"/out");
  CopyToArray(app.settings.usageExportFolder, u"/stats");
  app.sampler.day.Clear();
  EXPECT_TRUE(ExportList(app, date));
  EXPECT_EQ(env.FileBytes(u"/out/...txt"), "\xFF\xFE");
  EXPECT_FALSE(ExportUsage(app, date));
  EXPECT_EQ(env.FileBytes(u"/stats/20160305app.txt"), statistics);
}

// Each export reports success exactly when all of its files hold the new bytes, whichever write,
// flush or rename fails; a large day goes to disk in several writes.
TEST_F(ExportTest, FailingOrKilledExportLeavesOldOrCompleteNewFilesAndSaysSo) {
  for (int i = 0; i < 1000; ++i) app.sampler.day.Append({0, static_cast<uint32_t>(i), 1, 0}, u"x");
  app.settings.listCsvExport = 1;
  app.settings.listTextExport = 1;
  app.settings.usageCsvExport = 1;
  app.settings.usageTextExport = 1;
  Paths written;
  RunAutoExport(app, date, &written);
  ASSERT_EQ(written.size(), 4u);
  std::vector<test::ReplacedFile> files;
  for (const std::u16string& path : written) files.push_back({path, "previous", env.FileBytes(path), {}});
  test::ExpectOldOrNewUnderEveryFault(env, files, [&] {
    const bool list = ExportList(app, date);
    return ExportUsage(app, date) && list;
  });
}

TEST_F(ExportTest, SavedDayListAndStatisticsFiles) {
  ListModel list;
  list.Rebuild(app.sampler.day);
  list.SortByColumn(kListDuration, true, app.pool);
  CompileTemplate(u"%t", app.templates[kListTextTemplate]);
  CompileTemplate(u"%t", app.templates[kListCsvTemplate]);
  ASSERT_TRUE(WriteDayList(app, list, u"/out/day.txt", OutputFormat::Text));
  ASSERT_TRUE(WriteDayList(app, list, u"/out/day.csv", OutputFormat::Csv));
  EXPECT_EQ(env.FileBytes(u"/out/day.txt"), Utf16Bytes(u"b\na\nDummyTitle\n", true));    // as displayed
  EXPECT_EQ(env.FileBytes(u"/out/day.csv"), Utf16Bytes(u"DummyTitle\nb\na\n", true));    // as recorded
  EXPECT_FALSE(WriteDayListText(app, list, u"") || WriteDayListCsv(app, ListModel(), u"/out/none.csv"));
  EXPECT_FALSE(WriteDayListText(app, list, u"/nowhere/day.txt") || WriteDayListCsv(app, list, u"/nowhere/day.csv"));

  UsageTable table;
  app.settings.usageSortDescending = 0;
  AggregateForSaving(app, app.sampler.day, table);
  CompileTemplate(u"%d", app.templates[kUsageCsvTemplate]);
  ASSERT_TRUE(WriteUsageFile(app, table, u"/stats/u.csv", OutputFormat::Csv));
  EXPECT_EQ(env.FileBytes(u"/stats/u.csv"), Utf16Bytes(u"1000\n65345\n", true));
  EXPECT_FALSE(WriteUsageFile(app, table, u"", OutputFormat::Csv) || WriteUsageFile(app, table, u"/nowhere/u", OutputFormat::Text));
  EXPECT_EQ(env.FilePaths().size(), 3u);
}

}  // namespace
}  // namespace qm
