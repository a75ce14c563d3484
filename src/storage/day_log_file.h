// Day log files, log/YYYYMMDD.bin2 beside the executable: the magic ".LOG", a compressed section
// of the day's executable paths, then a compressed section holding the day's record block unchanged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/stored_state.h"

namespace qm {

inline constexpr uint8_t kDayLogMagic[4] = {'.', 'L', 'O', 'G'};
inline constexpr uint32_t kMaxStringEntryBytes = 520;

enum class DayLogKind { Current, Legacy, Other };
// By the text after the path's last dot, ignoring case: ".bin2" current, ".bin" legacy.
DayLogKind DayLogKindOf(std::u16string_view path);

// Why a save of a day did not get through.
enum class SaveFailure {
  None,
  NothingToSave,  // no records: the format has no empty day
  CannotCompress,
  CannotCreate,   // the temporary file beside the day log
  CannotWrite,
  CannotReplace,  // the day log could not be put in place
};

// Writes the day being recorded (the UserCurrentDay strings and the recording day log) as the file of
// the given date. A failed save leaves the previous file of that day as it was; `why` tells the reason.
bool SaveDayLog(StoredState& app, uint16_t year, uint16_t month, uint16_t day, SaveFailure* why = nullptr);
// The same for any pool, day and path.
bool WriteDayLogFile(Env& env, const std::u16string& path, const StringPool& pool, const DayLog& day,
                     SaveFailure* why = nullptr);
// The day log of a date in the log folder.
std::u16string DayLogPath(Env& env, uint16_t year, uint16_t month, uint16_t day);

// Reads one .bin2 file: its strings are acquired with `user`, its records replace `target`'s. The
// viewed day is emptied first, whatever the target and the outcome.
bool LoadDayLogFile(StoredState& app, DayLog& target, const std::u16string& path, uint16_t user);
// The same for any pool and day, touching nothing else.
bool ReadDayLogFile(Env& env, StringPool& pool, DayLog& target, const std::u16string& path, uint16_t user);
// Loads the .bin2 file of a date from the open dialog's folder into the viewed day.
bool LoadDayLogByDate(StoredState& app, uint16_t year, uint16_t month, uint16_t day);

// Start-up: today's .bin2 into the recording day, else today's legacy .bin. A file that exists but
// cannot be read is renamed aside (NAME.unreadable-N), so that no later save can overwrite it; the
// new names are added to `setAside`.
bool LoadTodayDayLog(StoredState& app, uint16_t year, uint16_t month, uint16_t day,
                     std::vector<std::u16string>* setAside = nullptr);
// Renames `path` to the first free `path`.unreadable-N, given in `aside`; false if that fails.
bool SetAsideUnreadable(Env& env, const std::u16string& path, std::u16string* aside = nullptr);

}  // namespace qm
