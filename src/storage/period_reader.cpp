#include "storage/period_reader.h"

#include <map>
#include <optional>

#include "platform/path_util.h"
#include "storage/day_log_file.h"
#include "storage/legacy_day_log_file.h"

namespace qm {
namespace {

// What one folder holds for one date.
struct DayFiles {
  std::u16string current;  // YYYYMMDD.bin2, or empty
  std::u16string legacy;   // YYYYMMDD.bin, or empty
  bool inMemory = false;
};
// By date, then by folder index.
using FolderDays = std::map<CalendarDate, std::map<size_t, DayFiles>>;

// "YYYYMMDD.bin2" or "YYYYMMDD.bin" exactly (the extension in any case), of a valid date.
std::optional<CalendarDate> DateOfLogName(std::u16string_view name, bool* legacy) {
  const size_t dot = name.find(u'.');
  if (dot != 8) return std::nullopt;
  const std::u16string_view extension = name.substr(dot);
  *legacy = path_util::EqualsIgnoringCase(extension, u".bin");
  if (!*legacy && !path_util::EqualsIgnoringCase(extension, u".bin2")) return std::nullopt;
  return ParseDateDigits(name.substr(0, 8), 8);
}

void ListFolderDays(Env& env, const std::u16string& folder, size_t index, const DateRange& range, FolderDays& days) {
  std::vector<std::u16string> names;
  if (!env.ListFolder(folder, &names)) return;
  for (const std::u16string& name : names) {
    bool legacy = false;
    const std::optional<CalendarDate> date = DateOfLogName(name, &legacy);
    if (!date || !range.Contains(*date)) continue;
    DayFiles& files = days[*date][index];
    (legacy ? files.legacy : files.current) = env.CombinePath(folder, name);
  }
}

// The .bin2 file, else the .bin file; false when neither could be read (or there was none).
// The previous day's block is given back first, so that two days are never held at once.
bool ReadDayFiles(Env& env, const DayFiles& files, StringPool& pool, DayLog& day, std::u16string* failed) {
  day.Release();
  if (!files.current.empty() && ReadDayLogFile(env, pool, day, files.current, UserViewedDay)) return true;
  pool.ClearAll();
  day.Release();
  if (!files.legacy.empty() && ReadLegacyDayLogFile(env, pool, day, files.legacy, UserViewedDay)) return true;
  *failed = files.current.empty() ? files.legacy : files.current;
  return false;
}

}  // namespace

void ReadPeriodDays(Env& env, const std::vector<std::u16string>& folders, const DateRange& range,
                    const PeriodDayVisitor& visit, std::vector<std::u16string>* unreadable,
                    const DayInMemory* inMemory, const std::atomic<bool>* stop) {
  FolderDays days;
  for (size_t i = 0; i < folders.size(); ++i) ListFolderDays(env, folders[i], i, range, days);
  if (inMemory && !folders.empty() && range.Contains(inMemory->date)) days[inMemory->date][0].inMemory = true;

  StringPool pool;
  DayLog day;
  for (const auto& [date, byFolder] : days) {
    for (const auto& [index, files] : byFolder) {
      if (stop && stop->load()) return;
      std::u16string failed;
      if (files.inMemory) {
        visit(date, *inMemory->day, *inMemory->pool);
      } else if (ReadDayFiles(env, files, pool, day, &failed)) {
        visit(date, day, pool);
      } else if (unreadable) {
        unreadable->push_back(failed);
      }
      pool.ClearAll();
    }
  }
}

}  // namespace qm
