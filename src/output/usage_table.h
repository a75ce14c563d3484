// A day aggregated per executable: total duration, number of records, and the day's grand total.
#pragma once

#include <cstdint>
#include <vector>

#include "core/day_log.h"

namespace qm {

struct AppUsageEntry {
  uint32_t totalDuration = 0;  // ms, summed with 32-bit wrap-around
  uint32_t count = 0;
  int32_t exeKey = 0;
};

struct UsageTable {
  std::vector<AppUsageEntry> entries;
  uint32_t grandTotal = 0;  // the durations of all records of the day
};

// One entry per executable key in ascending signed key order; every record counts. Always true.
bool AggregateUsage(const DayLog& day, UsageTable& table);

}  // namespace qm
