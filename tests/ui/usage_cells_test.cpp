#include "ui/usage_cells.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

using Rows = std::vector<uint32_t>;
using Texts = std::vector<std::u16string>;

TEST(UsageCells, CellTextsAndSortingTwiceReversesWithTheSelectionKept) {
  StringPool pool;
  const int32_t editor = pool.Intern(u"C:\\editor.exe", UserViewedDay);
  UsageTable table;
  table.entries = {{3'723'004, 2, editor}, {999, 1, 77}, {0, 0, 78}};
  table.grandTotal = 3'724'003;
  UsageIndexList index;
  index.Rebuild(table);
  const auto cells = [&](uint32_t row) {
    Texts texts;
    for (int32_t c = -1; c <= kUsageColumnCount; ++c) texts.push_back(UsageCellText(index, pool, row, c));
    return texts;
  };
  EXPECT_EQ(cells(0), (Texts{u"", u"99.97", u"1:02:03.004", u"0:31:01.502", u"C:\\editor.exe", u"2", u""}));
  EXPECT_EQ(cells(1), (Texts{u"", u" 0.02", u"0:00:00.999", u"0:00:00.999", u"", u"1", u""}));
  EXPECT_EQ(cells(2)[1 + kUsageAverage], u"");
  EXPECT_EQ(cells(3), (Texts(7)));
  table.grandTotal = 0;
  EXPECT_EQ(UsageCellText(index, pool, 0, kUsageRate), u"");
  EXPECT_EQ(UsageHeaderText(kUsageRate, kUsageRate, true) + UsageHeaderText(kUsageCount, kUsageCount, false) +
                UsageHeaderText(kUsageAverage, kUsageRate, true),
            u"rate ▽num △ave");
  EXPECT_EQ(UsageHeaderText(-1, 0, true) + UsageHeaderText(kUsageColumnCount, 0, true), u"");

  // Rows 0 and 2 show the totals 3,723,004 and 0.
  AppSettings settings = {};
  settings.usageSortDescending = 1;
  SortUsageRows(index, settings, pool, kUsageDuration);
  EXPECT_EQ(ClickUsageColumn(index, settings, pool, kUsageDuration, Rows{0, 2}), (Rows{2, 0}));
  EXPECT_EQ(settings.usageSortColumn, kUsageDuration);
  EXPECT_EQ(settings.usageSortDescending, 0);
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 0u);
  EXPECT_EQ(ClickUsageColumn(index, settings, pool, kUsageDuration, Rows{2, 0}), (Rows{0, 2}));
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 3'723'004u);
}

}  // namespace
}  // namespace qm
