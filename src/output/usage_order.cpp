#include "output/usage_order.h"

#include <algorithm>

#include "platform/text_compare.h"

namespace qm {
namespace {

// An entry without records counts as average 0, so the comparison never meets a NaN.
float Average(const AppUsageEntry& e) {
  return e.count == 0 ? 0.0f : static_cast<float>(static_cast<double>(e.totalDuration) / e.count);
}

int ComparePaths(const AppUsageEntry& a, const AppUsageEntry& b, const StringPool& pool) {
  const PoolEntry* pa = pool.Find(a.exeKey);
  const PoolEntry* pb = pool.Find(b.exeKey);
  if (pa == nullptr || pb == nullptr) return (pa != nullptr) - (pb != nullptr);
  return CompareText(pa->Text(), pb->Text());
}

bool AscendingBefore(const AppUsageEntry& a, const AppUsageEntry& b, int32_t column, const StringPool& pool) {
  switch (column) {
    case kUsageAverage: return Average(a) < Average(b);
    case kUsageExecutable: return ComparePaths(a, b, pool) < 0;
    case kUsageCount: return a.count < b.count;
    default: return a.totalDuration < b.totalDuration;
  }
}

template <typename Less>
void SortEntries(UsageTable& table, Less less) {
  std::sort(table.entries.begin(), table.entries.end(), less);
}

}  // namespace

bool UsageWindowBefore(const AppUsageEntry& a, const AppUsageEntry& b, int32_t column, bool descending,
                       const StringPool& pool) {
  return descending ? AscendingBefore(b, a, column, pool) : AscendingBefore(a, b, column, pool);
}

void SortUsage(UsageTable& table, bool descending, int32_t column) {
  if (table.entries.size() < 2) return;
  const auto byTotal = [](const AppUsageEntry& a, const AppUsageEntry& b) { return a.totalDuration < b.totalDuration; };
  const auto byAverage = [](const AppUsageEntry& a, const AppUsageEntry& b) { return Average(a) < Average(b); };
  const auto reversed = [](auto less) { return [less](const AppUsageEntry& a, const AppUsageEntry& b) { return less(b, a); }; };
  if (column >= 5) return SortEntries(table, reversed(byTotal));
  switch (column) {
    case kUsageAverage:
      // Saving lists averages the other way round from the window.
      return descending ? SortEntries(table, byAverage) : SortEntries(table, reversed(byAverage));
    case kUsageExecutable:
      return SortEntries(table, [](const AppUsageEntry& a, const AppUsageEntry& b) { return a.exeKey < b.exeKey; });
    case kUsageCount:
      return SortEntries(table, [](const AppUsageEntry& a, const AppUsageEntry& b) { return a.count < b.count; });
    default: return descending ? SortEntries(table, reversed(byTotal)) : SortEntries(table, byTotal);
  }
}

}  // namespace qm
