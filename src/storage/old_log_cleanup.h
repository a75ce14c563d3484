// Moves day logs, with their days' recording journals, older than the chosen age to the recycle bin, once
// at every change of date. The age comes from the date in the file name, not from the file's time stamps.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "core/calendar_date.h"
#include "storage/stored_state.h"

namespace qm {

struct DayLogName {
  uint32_t year;
  uint32_t month;
  uint32_t day;
};
// Parses a folder entry as "YYYYMMDD.bin2" or "YYYYMMDD.bin" (extension in any case), the way the
// formatted input "%4u%02u%02u.%5s" reads it; nothing for any other name or a name under 12 units.
std::optional<DayLogName> ParseDayLogName(std::u16string_view name);

// Deletes the day logs older than the age of deleteAge in the settings (1 week, 2 month, 3 half a
// year, 4 year; 0 never). True when at least one file went to the recycle bin.
bool DeleteOldLogs(StoredState& app, uint16_t year, uint16_t month, uint16_t day);

}  // namespace qm
