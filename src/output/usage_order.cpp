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

// Saving compares executables by key, not by path.
bool SavedAscendingBefore(const AppUsageEntry& a, const AppUsageEntry& b, int32_t column) {
  switch (column) {
    case kUsageAverage: return Average(a) < Average(b);
    case kUsageExecutable: return a.exeKey < b.exeKey;
    case kUsageCount: return a.count < b.count;
    default: return a.totalDuration < b.totalDuration;
  }
}

}  // namespace

bool UsageWindowBefore(const AppUsageEntry& a, const AppUsageEntry& b, int32_t column, bool descending,
                       const StringPool& pool) {
  return descending ? AscendingBefore(b, a, column, pool) : AscendingBefore(a, b, column, pool);
}

void SortUsage(UsageTable& table, bool descending, int32_t column) {
  if (table.entries.size() < 2) return;
  if (column >= 5) {
    column = kUsageDuration;
    descending = true;
  } else if (column == kUsageAverage) {
    descending = !descending;  // saving lists averages the other way round from the window
  } else if (column == kUsageExecutable || column == kUsageCount) {
    descending = false;
  }
  std::sort(table.entries.begin(), table.entries.end(), [&](const AppUsageEntry& a, const AppUsageEntry& b) {
    return descending ? SavedAscendingBefore(b, a, column) : SavedAscendingBefore(a, b, column);
  });
}

}  // namespace qm
