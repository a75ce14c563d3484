// A day aggregated per executable: total duration, number of records, and the day's grand total.
#pragma once

#include <cstdint>
#include <vector>

#include "core/day_log.h"

namespace qm {

// Totals are 64-bit: a year of days passes the 49.7 days that 32 bits of milliseconds hold.
struct AppUsageEntry {
  uint64_t totalDuration = 0;  // ms
  uint32_t count = 0;
  int32_t exeKey = 0;
};

struct UsageTable {
  std::vector<AppUsageEntry> entries;
  uint64_t grandTotal = 0;  // the durations of all records of the day (or period)
};

// One entry per executable key in ascending signed key order; every record counts. Always true.
bool AggregateUsage(const DayLog& day, UsageTable& table);

}  // namespace qm
