// The day list's rows and their sorts, and usage statistics: lines through the usage templates and the
// table's orders in the window and in saved files. (The default templates byte for byte: see the
// export tests; copied rows: see the quillmere-log tests, whose output is those rows.)
#include <gtest/gtest.h>

#include <tuple>

#include "core/string_pool.h"
#include "output/list_model.h"
#include "output/usage_index_list.h"
#include "output/usage_line.h"
#include "output/usage_order.h"
#include "output/usage_table.h"
#include "platform/utf.h"

namespace qm {
namespace {

class ListModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto b = static_cast<uint32_t>(pool.Intern(u"b.exe", UserViewedDay));
    const auto a = static_cast<uint32_t>(pool.Intern(u"a.exe", UserViewedDay));
    day.Append({0, 3000, 10, b}, u"beta");
    day.Append({0, 1000, 30, 424242}, u"delta");  // path missing from the pool
    day.Append({0, 2000, 20, a}, u"alpha");
    day.Append({0, 4000, 40, b}, u"gamma");
    list.Rebuild(day);
  }
  // The titles in displayed order; each row's record maps back to that row.
  std::string Shown() const {
    std::string titles;
    for (uint32_t row = 0; row < list.RowCount(); ++row) {
      titles += ToUtf8(RecordTitle(list.RecordOfRow(row))) + " ";
      EXPECT_EQ(list.RowOfRecord(list.RecordIndexOfRow(row)), row);
    }
    return titles;
  }
  std::string Sorted(ListColumn column, bool ascending) {
    list.SortByColumn(column, ascending, pool);
    return Shown();
  }
  StringPool pool;
  DayLog day;
  ListModel list;
};

TEST_F(ListModelTest, RebuildShowsRecordOrderAndAppendAddsOnlyNewRecords) {
  EXPECT_EQ(Shown(), "beta delta alpha gamma ");
  EXPECT_EQ(list.RecordOfRow(4), nullptr);
  EXPECT_EQ(list.RowOfRecord(4), 4u);
  day.Append({0, 5000, 1, 0}, u"later");
  list.AppendNew();
  list.AppendNew();
  EXPECT_EQ(Shown(), "beta delta alpha gamma later ");
  ListModel none;
  none.AppendNew();
  none.SortByColumn(kListStart, true, pool);
  EXPECT_EQ(none.RowCount(), 0u);
  EXPECT_EQ(none.RecordOfRow(0), nullptr);
}

// Each sort starts from the order the one before left, so that no column merely keeps an order.
TEST_F(ListModelTest, SortsByEachColumnInBothDirectionsEvenOverAnEmptiedSource) {
  EXPECT_EQ(Sorted(kListStart, true), "delta alpha beta gamma ");
  EXPECT_EQ(Sorted(kListDuration, false), "gamma delta alpha beta ");
  EXPECT_EQ(Sorted(kListExecutable, true).substr(0, 12), "delta alpha ");  // a missing path sorts first
  EXPECT_EQ(Sorted(kListTitle, false), "gamma delta beta alpha ");
  EXPECT_EQ(Sorted(kListExecutable, false).substr(11), "alpha delta ");
  EXPECT_EQ(Sorted(kListDuration, true), "beta alpha delta gamma ");
  EXPECT_EQ(Sorted(kListTitle, true), "alpha beta delta gamma ");
  EXPECT_EQ(Sorted(kListStart, false), "gamma beta alpha delta ");
  // Many rows of one start and duration (more than a sort orders by insertion) must compare equal,
  // or sorting runs past them.
  for (int i = 0; i < 40; ++i) day.Append({0, 4000, 40, 0}, u"gamma");
  list.AppendNew();
  const size_t shown = Shown().size();
  for (bool ascending : {true, false}) {
    EXPECT_EQ(Sorted(kListDuration, ascending).size(), shown);
    EXPECT_EQ(Sorted(kListStart, ascending).size(), shown);
  }
  // A failed load empties the viewed day under the rows: they show nothing and sort without harm.
  day.Clear();
  list.SortByColumn(kListDuration, true, pool);
  EXPECT_EQ(list.RowCount(), 44u);
  EXPECT_EQ(list.RecordOfRow(43), nullptr);
}

using Order = std::vector<uint32_t>;

std::u16string Line(std::u16string_view pattern, AppUsageEntry entry, uint32_t grandTotal,
                    const StringPool& pool = StringPool()) {
  CompiledTemplate compiled;
  CompileTemplate(pattern, compiled);
  LineBuffer line;
  EXPECT_TRUE(FormatUsageLine(line, &entry, compiled, pool, grandTotal));
  return std::u16string(line.View());
}

TEST(UsageLine, EverySpecifierAndRatesThatTruncate) {
  StringPool pool;
  const int32_t key = pool.Intern(u"/usr/bin/ed", UserViewedDay);
  const std::tuple<std::u16string_view, AppUsageEntry, uint32_t, std::u16string_view> lines[] = {
      {u"%h|%H|%m|%M|%s|%S|%l|%L|%d", {50'000'000, 1, 0}, 50'000'000, u"13|13|53|53|20|20|0|000|50000000"},
      {u"%H:%M:%S.%L", {3'723'004, 1, 0}, 1, u"01:02:03.004"},
      {u"%H", {400'000'000, 1, 0}, 1, u"111"},  // hours are not reduced
      {u"%o|%n|%N|%e|%E|%c|%C|%a|%u", {7000, 3, 0}, 7000, u"0|0|00|2|02|333|333|2333|3"},
      {u"%o:%N", {2 * 3'725'000, 2, 0}, 1, u"1:02"},
      {u"%t%i%q%", {1, 1, 0}, 1, u"%t%i%q%"},
      {u"\"%x\"%x", {1, 1, key}, 1, u"\"/usr/bin/ed\"/usr/bin/ed"},
      {u"%x", {1, 1, 5}, 1, u"none"},
      // The products need 64 bits: 86,400,000 * 10,000 does not fit in 32.
      {u"%r", {1'000'000, 1, 0}, 10'000'000, u"10.00"}, {u"%r", {10'000'000, 1, 0}, 10'000'000, u"100.00"},
      {u"%r", {2, 1, 0}, 3, u"66.66"}, {u"%r", {86'399'999, 1, 0}, 86'400'000, u"99.99"}};
  for (const auto& [pattern, entry, grandTotal, line] : lines) EXPECT_EQ(Line(pattern, entry, grandTotal, pool), line);
}

// No entry, an empty template, a day of no time, an entry of no records (no division by zero).
TEST(UsageLine, RefusesWhatCannotBeRendered) {
  CompiledTemplate compiled;
  CompileTemplate(u"%u", compiled);
  LineBuffer line;
  line.Append(u"kept");
  const AppUsageEntry entry{10, 1, 0}, noRecords{10, 0, 0};
  const StringPool pool;
  EXPECT_FALSE(FormatUsageLine(line, nullptr, compiled, pool, 10));
  EXPECT_FALSE(FormatUsageLine(line, &entry, CompiledTemplate(), pool, 10));
  EXPECT_FALSE(FormatUsageLine(line, &entry, compiled, pool, 0));
  EXPECT_FALSE(FormatUsageLine(line, &noRecords, compiled, pool, 10));
  EXPECT_EQ(line.View(), u"kept");
}

// Totals, averages, counts and keys all differ; ordered by key (zz.exe's is negative, the missing
// path's 55) the entries differ from their order by path.
class UsageOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    table.entries = {{9000, 9, pool.Intern(u"zz.exe", UserViewedDay)}, {3000, 1, pool.Intern(u"b.exe", UserViewedDay)},
                     {6000, 4, 55}};  // averages 1000, 3000, 1500
  }
  // The totals in the order of the window's rows, each row mapping back to its entry.
  Order WindowOrder(int32_t column, bool descending) {
    UsageIndexList index;
    index.Rebuild(table);
    index.Sort(column, descending, pool);
    Order totals;
    for (uint32_t row = 0; row < index.RowCount(); ++row) {
      totals.push_back(index.EntryOfRow(row)->totalDuration);
      EXPECT_EQ(index.RowOfEntry(static_cast<uint32_t>(index.EntryOfRow(row) - table.entries.data())), row);
    }
    EXPECT_EQ(index.EntryOfRow(index.RowCount()), nullptr);
    EXPECT_EQ(index.RowOfEntry(index.RowCount()), index.RowCount());
    return totals;
  }
  Order SavedOrder(int32_t column, bool descending) {
    UsageTable copy = table;
    SortUsage(copy, descending, column);
    Order totals;
    for (const AppUsageEntry& e : copy.entries) totals.push_back(e.totalDuration);
    return totals;
  }
  StringPool pool;
  UsageTable table;
};

// The window sorts every column in the chosen direction; saved files reverse the averages and
// ignore the direction for the key (signed) and the count.
TEST_F(UsageOrderTest, WindowAndSavedOrdersOfEveryColumn) {
  const Order up{3000, 6000, 9000}, down{9000, 6000, 3000}, byPath{6000, 3000, 9000};  // missing path first
  const std::tuple<int32_t, bool, Order, Order> orders[] = {  // {column, descending, window, saved}
      {kUsageRate, true, down, down},          {kUsageDuration, false, up, up},  {kUsageAverage, true, up, down},
      {kUsageAverage, false, down, up},        {kUsageCount, true, down, up},    {kUsageCount, false, up, up},
      {kUsageExecutable, false, byPath, down}, {kUsageExecutable, true, {9000, 3000, 6000}, down},
      {17, false, up, down},  // like the rate in the window; unknown columns save by rate, largest first
      {-1, true, down, down}, {-1, false, up, up}};
  for (const auto& [column, descending, window, saved] : orders) {
    EXPECT_EQ(WindowOrder(column, descending), window) << column;
    EXPECT_EQ(SavedOrder(column, descending), saved) << column;
  }
  // Rows of a table that changed size since the rebuild are not sorted against it; rebuilt for the
  // smaller table, no row is left past its end, and sorting it maps each entry to its row.
  UsageIndexList index;
  index.Rebuild(table);
  index.Sort(kUsageDuration, true, pool);  // entries 0, 2, 1
  table.entries.pop_back();
  index.Sort(kUsageDuration, false, pool);
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 9000u);
  EXPECT_EQ(index.EntryOfRow(1), nullptr);
  index.Rebuild(table);
  EXPECT_EQ(index.EntryOfRow(2), nullptr);
  index.Sort(kUsageDuration, false, pool);
  EXPECT_EQ(index.RowOfEntry(1), 0u);
}

}  // namespace
}  // namespace qm
