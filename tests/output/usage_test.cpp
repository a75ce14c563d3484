// Usage statistics: lines through the usage templates, the table, and its orders in the window and
// in saved files. (The default templates byte for byte: see the export tests; copied rows: see the
// quillmere-log tests, whose output is those rows.)
#include <gtest/gtest.h>

#include <tuple>

#include "output/usage_index_list.h"
#include "output/usage_line.h"
#include "output/usage_order.h"
#include "output/usage_table.h"

namespace qm {
namespace {

std::u16string Line(std::u16string_view pattern, AppUsageEntry entry, uint32_t grandTotal,
                    const StringPool& pool = StringPool()) {
  CompiledTemplate compiled;
  CompileTemplate(pattern, compiled);
  LineBuffer line;
  EXPECT_TRUE(FormatUsageLine(line, &entry, compiled, pool, grandTotal));
  return std::u16string(line.View());
}

TEST(UsageLine, EverySpecifierOfTheUsageTableAndRatesThatTruncate) {
  EXPECT_EQ(Line(u"%h|%H|%m|%M|%s|%S|%l|%L|%d", {50'000'000, 1, 0}, 50'000'000), u"13|13|53|53|20|20|0|000|50000000");
  EXPECT_EQ(Line(u"%H:%M:%S.%L", {3'723'004, 1, 0}, 1), u"01:02:03.004");
  EXPECT_EQ(Line(u"%H", {400'000'000, 1, 0}, 1), u"111");  // hours are not reduced
  EXPECT_EQ(Line(u"%o|%n|%N|%e|%E|%c|%C|%a|%u", {7000, 3, 0}, 7000), u"0|0|00|2|02|333|333|2333|3");
  EXPECT_EQ(Line(u"%o:%N", {2 * 3'725'000, 2, 0}, 1), u"1:02");
  EXPECT_EQ(Line(u"%t%i%q%", {1, 1, 0}, 1), u"%t%i%q%");
  StringPool pool;
  const int32_t key = pool.Intern(u"/usr/bin/ed", UserViewedDay);
  EXPECT_EQ(Line(u"\"%x\"", {1, 1, key}, 1, pool), u"\"/usr/bin/ed\"");
  EXPECT_EQ(Line(u"%x", {1, 1, 5}, 1, pool), u"none");
  // {total, grand total, rate}; the products need 64 bits: 86,400,000 * 10,000 does not fit in 32.
  const std::tuple<uint32_t, uint32_t, std::u16string_view> rates[] = {
      {1'000'000, 10'000'000, u"10.00"}, {10'000'000, 10'000'000, u"100.00"}, {1, 3, u"33.33"},
      {2, 3, u"66.66"}, {1, 86'400'000, u"0.00"}, {86'399'999, 86'400'000, u"99.99"}};
  for (const auto& [total, grandTotal, rate] : rates) EXPECT_EQ(Line(u"%r", {total, 1, 0}, grandTotal), rate);
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

TEST(AggregateUsage, OneEntryPerKeyInSignedKeyOrderEveryRecordCounted) {
  DayLog day;
  const uint32_t negative = 0x80000005u;
  for (const auto& [duration, key] : {std::pair{1000u, 7u}, {500u, negative}, {2000u, 7u}, {300u, 0u}, {4000u, 7u}}) {
    day.Append({0, 0, duration, key}, u"t");
  }
  UsageTable table;
  table.entries.push_back({1, 1, 1});  // replaced
  ASSERT_TRUE(AggregateUsage(day, table));
  ASSERT_EQ(table.entries.size(), 3u);
  const std::tuple<int32_t, uint32_t, uint32_t> expected[] = {{static_cast<int32_t>(negative), 500, 1}, {0, 300, 1}, {7, 7000, 3}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(std::tuple(table.entries[i].exeKey, table.entries[i].totalDuration, table.entries[i].count), expected[i]);
  }
  EXPECT_EQ(table.grandTotal, 7800u);
}

// Totals, averages, counts and keys all differ; ordered by key (zz.exe's is negative, the missing
// path's 55) the entries differ from their order by path.
class UsageOrderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keyB = pool.Intern(u"b.exe", UserViewedDay);
    keyC = pool.Intern(u"zz.exe", UserViewedDay);
    table.entries = {{9000, 9, keyC}, {3000, 1, keyB}, {6000, 4, 55}};  // averages 1000, 3000, 1500
  }
  std::vector<uint32_t> WindowOrder(int32_t column, bool descending) {
    UsageIndexList index;
    index.Rebuild(table);
    index.Sort(column, descending, pool);
    std::vector<uint32_t> totals;
    for (uint32_t row = 0; row < index.RowCount(); ++row) {
      totals.push_back(index.EntryOfRow(row)->totalDuration);
      EXPECT_EQ(index.RowOfEntry(static_cast<uint32_t>(index.EntryOfRow(row) - table.entries.data())), row);
    }
    EXPECT_EQ(index.EntryOfRow(index.RowCount()), nullptr);
    EXPECT_EQ(index.RowOfEntry(index.RowCount()), index.RowCount());
    return totals;
  }
  std::vector<uint32_t> SavedOrder(int32_t column, bool descending) {
    UsageTable copy = table;
    SortUsage(copy, descending, column);
    std::vector<uint32_t> totals;
    for (const AppUsageEntry& e : copy.entries) totals.push_back(e.totalDuration);
    return totals;
  }
  StringPool pool;
  UsageTable table;
  int32_t keyB = 0, keyC = 0;
};

using Order = std::vector<uint32_t>;

TEST_F(UsageOrderTest, WindowSortsEveryColumnInTheChosenDirection) {
  EXPECT_EQ(WindowOrder(kUsageRate, true), (Order{9000, 6000, 3000}));
  EXPECT_EQ(WindowOrder(kUsageDuration, false), (Order{3000, 6000, 9000}));
  EXPECT_EQ(WindowOrder(kUsageAverage, true), (Order{3000, 6000, 9000}));
  EXPECT_EQ(WindowOrder(kUsageAverage, false), (Order{9000, 6000, 3000}));
  EXPECT_EQ(WindowOrder(kUsageExecutable, false), (Order{6000, 3000, 9000}));  // missing path first
  EXPECT_EQ(WindowOrder(kUsageExecutable, true), (Order{9000, 3000, 6000}));
  EXPECT_EQ(WindowOrder(kUsageCount, true), (Order{9000, 6000, 3000}));
  EXPECT_EQ(WindowOrder(17, false), (Order{3000, 6000, 9000}));  // like the rate
  // Rows of a table that changed size since the rebuild are not sorted against it.
  UsageIndexList index;
  index.Rebuild(table);
  table.entries.pop_back();
  index.Sort(kUsageDuration, false, pool);
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 9000u);
  EXPECT_EQ(index.EntryOfRow(2), nullptr);
}

TEST_F(UsageOrderTest, SavingReversesAveragesAndIgnoresTheDirectionForKeyAndCount) {
  EXPECT_EQ(SavedOrder(kUsageRate, true), (Order{9000, 6000, 3000}));
  EXPECT_EQ(SavedOrder(kUsageDuration, false), (Order{3000, 6000, 9000}));
  EXPECT_EQ(SavedOrder(kUsageAverage, true), (Order{9000, 6000, 3000}));  // smallest average first
  EXPECT_EQ(SavedOrder(kUsageAverage, false), (Order{3000, 6000, 9000}));
  for (bool descending : {true, false}) {
    EXPECT_EQ(SavedOrder(kUsageExecutable, descending), (Order{9000, 6000, 3000}));  // by signed key
    EXPECT_EQ(SavedOrder(kUsageCount, descending), (Order{3000, 6000, 9000}));
    EXPECT_EQ(SavedOrder(5, descending), (Order{9000, 6000, 3000}));
    EXPECT_EQ(SavedOrder(-1, descending), descending ? (Order{9000, 6000, 3000}) : (Order{3000, 6000, 9000}));
  }
  // An entry without records averages 0.
  table.entries = {{5, 0, 1}, {5, 1, 2}, {0, 0, 3}, {9, 3, 4}};
  SortUsage(table, false, kUsageAverage);
  EXPECT_EQ(table.entries.front().exeKey, 2);
}

}  // namespace
}  // namespace qm
