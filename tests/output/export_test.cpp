// Files leaving the program: names from date templates, the automatic exports and the saved day list
// and statistics, checked byte for byte on the fake file system.
#include <gtest/gtest.h>

#include "core/fixed_string.h"
#include "output/auto_export.h"
#include "output/day_list_file.h"
#include "output/file_name_template.h"
#include "output/usage_file.h"
#include "output/usage_order.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using Op = test::FakeEnv::Op;

// The bytes of UTF-16LE text, with the byte-order mark if asked.
std::string Utf16Bytes(std::u16string_view text, bool bom) {
  std::string bytes = bom ? std::string("\xFF\xFE", 2) : std::string();
  for (const char16_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

TEST(ExpandFileNameTemplate, DateSpecifiers) {
  const LocalTime t{2016, 3, 6, 5, 9, 30, 7, 45};
  EXPECT_EQ(ExpandFileNameTemplate(t, u"%y-%M-%D_%H%I"), u"2016-03-05_0930");
  EXPECT_EQ(ExpandFileNameTemplate(t, u"%Y-%m-%d-%h-%i-%s-%S-%l-%L"), u"16-3-5-9-30-7-07-45-045");
  EXPECT_EQ(ExpandFileNameTemplate({2005, 11, 0, 23}, u"%Y%M%D"), u"51123");
  EXPECT_EQ(ExpandFileNameTemplate(t, u"%%y%q%"), u"2016%q");  // a run of % is one; a trailing % vanishes
}

TEST(ExpandFileNameTemplate, ForbiddenCharactersAreDroppedAndEndAPendingPercent) {
  const LocalTime t{2016, 3, 0, 5};
  EXPECT_EQ(ExpandFileNameTemplate(t, u"a:b/c"), u"abc");
  EXPECT_EQ(ExpandFileNameTemplate(t, u"\\/?:*\"><|"), u"");
  EXPECT_EQ(ExpandFileNameTemplate(t, u"%/y"), u"y");
  EXPECT_EQ(ExpandFileNameTemplate(t, u"..\\..\\x"), u"....x");
}

TEST(ExpandFileNameTemplate, WritingStopsAt129UnitsButFinishesAnExpansion) {
  const LocalTime t{2016, 3, 0, 5};
  const std::u16string plain(200, u'n');
  EXPECT_EQ(ExpandFileNameTemplate(t, plain), plain.substr(0, 129));
  EXPECT_EQ(ExpandFileNameTemplate(t, plain.substr(0, 127) + u"%yzz"), plain.substr(0, 127) + u"2016");
  EXPECT_EQ(ExpandFileNameTemplate(t, plain.substr(0, 128) + u"%qzz"), plain.substr(0, 128) + u"%");
  EXPECT_EQ(ExpandFileNameTemplate(t, plain.substr(0, 127) + u"%qzz"), plain.substr(0, 127) + u"%q");
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
  std::vector<std::u16string> written;
  ASSERT_TRUE(ExportList(app, date, &written));
  EXPECT_EQ(written, (std::vector<std::u16string>{u"/out/20160305.csv", u"/out/20160305.txt"}));
  EXPECT_EQ(env.FileBytes(u"/out/20160305.csv"),
            Utf16Bytes(u"01:02:03.456,62345,\"DummyTitle\",\"C:\\ed.exe\"\r\n"
                       u"01:03:20.000,1000,\"b\",\"none\"\r\n"
                       u"01:05:00.000,3000,\"a\",\"C:\\ed.exe\"\r\n",
                       true));
  const std::string text = env.FileBytes(u"/out/20160305.txt");
  EXPECT_EQ(text.substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(text.substr(2, 2 * 47), Utf16Bytes(u"[1:02:03.456](1:02.345) \"DummyTitle\" - \"C:\\ed.exe\"", false)
                                        .substr(0, 2 * 47));
  EXPECT_EQ(text.substr(text.size() - 4), std::string("\r\0\n\0", 4));
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

TEST_F(ExportTest, EmptyOrForbiddenNamesFallBackToTheDate) {
  app.settings.listTextExport = 1;
  app.settings.usageTextExport = 1;
  CopyToArray(app.settings.listExportName, u"");
  CopyToArray(app.settings.usageExportName, u"///");
  RunAutoExport(app, date);
  EXPECT_TRUE(env.HasFile(u"/out/20160305.txt"));
  EXPECT_TRUE(env.HasFile(u"/stats/20160305app.txt"));
}

TEST_F(ExportTest, MissingFolderOrNothingEnabledWritesNothing) {
  EXPECT_FALSE(ExportList(app, date));
  EXPECT_FALSE(ExportUsage(app, date));
  app.settings.listCsvExport = 1;
  app.settings.usageCsvExport = 1;
  CopyToArray(app.settings.listExportFolder, u"/nowhere");
  CopyToArray(app.settings.usageExportFolder, u"");
  EXPECT_FALSE(ExportList(app, date));
  EXPECT_FALSE(ExportUsage(app, date));
  EXPECT_TRUE(env.FilePaths().empty());
}

TEST_F(ExportTest, NameOfDotsStaysInsideTheFolder) {
  app.settings.listCsvExport = 1;
  CopyToArray(app.settings.listExportName, u"..");
  std::vector<std::u16string> written;
  ASSERT_TRUE(ExportList(app, date, &written));
  ASSERT_EQ(written.size(), 1u);
  EXPECT_EQ(env.RemoveFileSpec(written[0]), u"/out");
}

TEST_F(ExportTest, EmptyDayGivesABomOnlyListAndKeepsAnEarlierUsageExport) {
  app.settings.listCsvExport = 1;
  app.settings.usageCsvExport = 1;
  env.PutFile(u"/stats/20160305app.csv", "earlier");
  app.sampler.day.Clear();
  EXPECT_TRUE(ExportList(app, date));
  EXPECT_EQ(env.FileBytes(u"/out/20160305.csv"), "\xFF\xFE");
  EXPECT_FALSE(ExportUsage(app, date));
  EXPECT_EQ(env.FileBytes(u"/stats/20160305app.csv"), "earlier");
}

TEST_F(ExportTest, FailedWritesKeepThePreviousFilesAndReportFalse) {
  app.settings.listCsvExport = 1;
  app.settings.listTextExport = 1;
  for (Op op : {Op::Write, Op::Flush, Op::Rename}) {
    env.PutFile(u"/out/20160305.csv", "old csv");
    env.PutFile(u"/out/20160305.txt", "old txt");
    env.FailNth(op, 1);
    EXPECT_FALSE(ExportList(app, date));
    env.FailNth(op, 0);
    // The first file to fail keeps its old bytes; no temporary file is left behind.
    const bool csvKept = env.FileBytes(u"/out/20160305.csv") == "old csv";
    const bool txtKept = env.FileBytes(u"/out/20160305.txt") == "old txt";
    EXPECT_TRUE(csvKept || txtKept) << static_cast<int>(op);
    EXPECT_FALSE(env.HasFile(u"/out/20160305.csv.tmp"));
    EXPECT_FALSE(env.HasFile(u"/out/20160305.txt.tmp"));
  }
}

TEST_F(ExportTest, KillingTheProcessAtAnyPointLeavesOldOrCompleteNewFiles) {
  app.settings.listCsvExport = 1;
  app.settings.usageTextExport = 1;
  const std::u16string list = u"/out/20160305.csv", usage = u"/stats/20160305app.txt";
  RunAutoExport(app, date);
  const std::string newList = env.FileBytes(list), newUsage = env.FileBytes(usage);
  for (int n = 0;; ++n) {
    env.PutFile(list, "old list");
    env.PutFile(usage, "old usage");
    env.CrashAfter(n);
    RunAutoExport(app, date);
    env.Restart();
    const std::string listNow = env.FileBytes(list), usageNow = env.FileBytes(usage);
    EXPECT_TRUE(listNow == "old list" || listNow == newList) << n;
    EXPECT_TRUE(usageNow == "old usage" || usageNow == newUsage) << n;
    if (usageNow == newUsage) break;
  }
}

TEST_F(ExportTest, SavedDayListTextFollowsTheDisplayCsvTheRecordingOrder) {
  ListModel list;
  list.Rebuild(app.sampler.day);
  list.SortByColumn(kListDuration, true, app.pool);
  CompileTemplate(u"%t", app.templates[kListTextTemplate]);
  CompileTemplate(u"%t", app.templates[kListCsvTemplate]);
  ASSERT_TRUE(WriteDayList(app, list, u"/out/day.txt", OutputFormat::Text));
  ASSERT_TRUE(WriteDayList(app, list, u"/out/day.csv", OutputFormat::Csv));
  EXPECT_EQ(env.FileBytes(u"/out/day.txt"), Utf16Bytes(u"b\na\nDummyTitle\n", true));
  EXPECT_EQ(env.FileBytes(u"/out/day.csv"), Utf16Bytes(u"DummyTitle\nb\na\n", true));
  EXPECT_FALSE(WriteDayListText(app, list, u""));
  EXPECT_FALSE(WriteDayListCsv(app, ListModel(), u"/out/none.csv"));
  EXPECT_FALSE(env.HasFile(u"/out/none.csv"));

  env.FailNth(Op::Write, 1);
  EXPECT_FALSE(WriteDayListText(app, list, u"/out/day.txt"));
  EXPECT_EQ(env.FileBytes(u"/out/day.txt"), Utf16Bytes(u"b\na\nDummyTitle\n", true));
}

TEST_F(ExportTest, SavedUsageStatisticsUseTheChosenTemplate) {
  UsageTable table;
  app.settings.usageSortColumn = kUsageAverage;  // saving lists the smallest average first
  AggregateForSaving(app, app.sampler.day, table);
  CompileTemplate(u"%a %x", app.templates[kUsageTextTemplate]);
  ASSERT_TRUE(WriteUsageFile(app, table, u"/stats/u.txt", OutputFormat::Text));
  EXPECT_EQ(env.FileBytes(u"/stats/u.txt"), Utf16Bytes(u"1000 none\n32672 C:\\ed.exe\n", true));
  ASSERT_TRUE(WriteUsageFile(app, UsageTable(), u"/stats/empty.csv", OutputFormat::Csv));
  EXPECT_EQ(env.FileBytes(u"/stats/empty.csv"), "\xFF\xFE");
}

}  // namespace
}  // namespace qm
