// Files leaving the program: names from date templates, the automatic exports, the saved day list
// and the saved statistics, checked byte for byte on the fake file system.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "output/auto_export.h"
#include "output/day_list_file.h"
#include "output/file_name_template.h"
#include "output/usage_file.h"
#include "output/usage_order.h"
#include "support/byte_builder.h"
#include "support/crash_safety.h"

namespace qm {
namespace {

using test::Utf16Bytes;
using Paths = std::vector<std::u16string>;

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
