#include "ui/usage_cells.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using Rows = std::vector<uint32_t>;

TEST(UsageCells, CellAndHeaderTexts) {
  StringPool pool;
  const int32_t editor = pool.Intern(u"C:\\editor.exe", UserViewedDay);
  UsageTable table;
  table.entries = {{3'723'004, 2, editor}, {999, 1, 77}, {0, 0, 78}};
  table.grandTotal = 3'724'003;
  UsageIndexList index;
  index.Rebuild(table);
  const auto cells = [&](uint32_t row) {
    std::vector<std::u16string> texts;
    for (int32_t c = 0; c < kUsageColumnCount; ++c) texts.push_back(UsageCellText(index, pool, row, c));
    return texts;
  };
  using Texts = std::vector<std::u16string>;
  EXPECT_EQ(cells(0), (Texts{u"99.97", u"1:02:03.004", u"0:31:01.502", u"C:\\editor.exe", u"2"}));
  EXPECT_EQ(cells(1), (Texts{u" 0.02", u"0:00:00.999", u"0:00:00.999", u"", u"1"}));
  EXPECT_EQ(cells(2)[kUsageAverage], u"");
  EXPECT_EQ(cells(3), (Texts(5)));
  table.grandTotal = 0;
  EXPECT_EQ(UsageCellText(index, pool, 0, kUsageRate), u"");
  table.entries[0].totalDuration = table.grandTotal = 5;
  EXPECT_EQ(UsageCellText(index, pool, 0, kUsageRate), u"100.00");

  EXPECT_EQ(UsageHeaderText(kUsageRate, kUsageRate, true), u"rate ▽");
  EXPECT_EQ(UsageHeaderText(kUsageCount, kUsageCount, false), u"num △");
  EXPECT_EQ(UsageHeaderText(kUsageAverage, kUsageRate, true), u"ave");
}

TEST(UsageCells, SortingTwiceReversesWithTheSelectionKept) {
  StringPool pool;
  AppSettings settings = {};
  settings.usageSortDescending = 1;
  UsageTable table;
  table.entries = {{10, 1, 1}, {30, 1, 2}, {20, 1, 3}};
  UsageIndexList index;
  index.Rebuild(table);
  SortUsageRows(index, settings, pool, kUsageDuration);
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 30u);
  EXPECT_EQ(settings.usageSortColumn, kUsageDuration);

  // Rows 0 and 2 show the totals 30 and 10.
  EXPECT_EQ(ClickUsageColumn(index, settings, pool, kUsageDuration, Rows{0, 2}), (Rows{2, 0}));
  EXPECT_EQ(settings.usageSortDescending, 0);
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 10u);
  EXPECT_EQ(ClickUsageColumn(index, settings, pool, kUsageDuration, Rows{2, 0}), (Rows{0, 2}));
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 30u);
  EXPECT_EQ(ClickUsageColumn(index, settings, pool, kUsageCount, Rows{7}), Rows{});
  EXPECT_EQ(settings.usageSortColumn, kUsageCount);

  // One row is not sorted, and the column stays.
  table.entries.resize(1);
  index.Rebuild(table);
  SortUsageRows(index, settings, pool, kUsageRate);
  EXPECT_EQ(settings.usageSortColumn, kUsageCount);
}

TEST(UsageCells, ColourChangeGoesToEverySelectedProgram) {
  ColorRules rules;
  rules.mode = ColorMode::PerApplication;
  rules.appColors = {{1, 0x111111}, {2, 0x222222}, {3, 0x333333}};
  UsageTable table;
  table.entries = {{1, 1, 1}, {1, 1, 2}, {1, 1, 3}};
  UsageIndexList index;
  index.Rebuild(table);
  ColorRef offered = 0;
  const auto choose = [&](ColorRef initial, ColorRef* chosen) {
    offered = initial;
    *chosen = 0xABCDEF;
    return true;
  };
  EXPECT_FALSE(ChangeUsageColors(rules, index, Rows{}, choose));
  EXPECT_TRUE(ChangeUsageColors(rules, index, Rows{1, 2}, choose));
  EXPECT_EQ(offered, 0x222222u);
  EXPECT_EQ(rules.appColors, (std::map<int32_t, ColorRef>{{1, 0x111111}, {2, 0xABCDEF}, {3, 0xABCDEF}}));
  EXPECT_FALSE(ChangeUsageColors(rules, index, Rows{0}, [](ColorRef, ColorRef*) { return false; }));
  EXPECT_EQ(rules.appColors[1], 0x111111u);

  EXPECT_EQ(UsageRowColor(rules, 2), 0xABCDEFu);
  rules.mode = ColorMode::PerHour;
  EXPECT_EQ(UsageRowColor(rules, 3), kWhite);  // not the hour palette's slot 1
}

}  // namespace
}  // namespace qm
