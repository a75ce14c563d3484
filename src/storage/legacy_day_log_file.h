// Day logs of the predecessor product, YYYYMMDD.bin: the same magic and two sections, but string
// entries with 32-bit sizes and fixed 532-byte records of clock fields and tick counts. Read only.
#pragma once

#include <cstdint>
#include <string>

#include "storage/stored_state.h"

namespace qm {

inline constexpr uint32_t kLegacyRecordBytes = 532;
inline constexpr uint32_t kLegacyTitleUnits = 256;

// Converts the file's records into `target` (appended through the validated append, out-of-range
// records dropped); strings are acquired with `user`. Only paths ending in ".bin" (any case).
bool LoadLegacyDayLogFile(StoredState& app, DayLog& target, const std::u16string& path, uint16_t user);
// The same for any pool and day, touching nothing else.
bool ReadLegacyDayLogFile(Env& env, StringPool& pool, DayLog& target, const std::u16string& path, uint16_t user);
// Loads the .bin file of a date from the open dialog's folder into the viewed day.
bool LoadLegacyDayLogByDate(StoredState& app, uint16_t year, uint16_t month, uint16_t day);

}  // namespace qm
