// The orderings of usage entries: the usage window's, by the clicked column in either direction,
// and the fixed one of saving and automatic export.
#pragma once

#include <cstdint>

#include "core/string_pool.h"
#include "output/usage_table.h"

namespace qm {

enum UsageColumn : int32_t { kUsageRate, kUsageDuration, kUsageAverage, kUsageExecutable, kUsageCount };

// Whether the window lists `a` before `b` when sorted by `column` (other values act as the rate) in
// the given direction. Averages compare in single precision; a missing path sorts below every path.
bool UsageWindowBefore(const AppUsageEntry& a, const AppUsageEntry& b, int32_t column, bool descending,
                       const StringPool& pool);

// The order of saved and exported statistics: total in the given direction for columns 0 and 1 (and
// any value below 0), average reversed, key and count always ascending; total descending from 5 on.
void SortUsage(UsageTable& table, bool descending, int32_t column);

}  // namespace qm
