#include "output/usage_table.h"

#include <map>

namespace qm {

bool AggregateUsage(const DayLog& day, UsageTable& table) {
  table.entries.clear();
  std::map<int32_t, AppUsageEntry> byKey;
  uint64_t grandTotal = 0;
  // Records of one executable come in runs; remembering the last entry skips most map look-ups.
  AppUsageEntry* last = nullptr;
  for (uint32_t i = 0; i < day.Count(); ++i) {
    const ActivityRecord header = day.Header(i);
    const auto key = static_cast<int32_t>(header.exeKey);
    if (last == nullptr || last->exeKey != key) {
      last = &byKey[key];
      last->exeKey = key;
    }
    last->totalDuration += header.duration;
    ++last->count;
    grandTotal += header.duration;
  }
  table.grandTotal = grandTotal;
  table.entries.reserve(byKey.size());
  for (const auto& [key, entry] : byKey) table.entries.push_back(entry);
  return true;
}

}  // namespace qm
