#include "storage/old_log_cleanup.h"

#include <vector>

#include "platform/path_util.h"
#include "storage/log_folder.h"
#include "storage/recording_journal.h"

namespace qm {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// One "%Nu" conversion: blanks skipped, an optional sign and up to `width` characters in all.
bool ScanUnsigned(std::u16string_view text, size_t& i, size_t width, uint32_t* value) {
  while (i < text.size() && IsBlank(text[i])) ++i;
  const size_t begin = i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  uint32_t result = 0;
  size_t digits = 0;
  while (i < text.size() && i - begin < width && text[i] >= u'0' && text[i] <= u'9') {
    result = result * 10 + (text[i++] - u'0');
    ++digits;
  }
  if (digits == 0) return false;
  *value = negative ? 0u - result : result;
  return true;
}

// The largest age in days that a file of each deleteAge may reach and stay; -1 for no deletion.
int64_t KeptDays(int32_t deleteAge) {
  switch (deleteAge) {
    case 1: return 7;
    case 2: return 31;
    case 3: return 183;
    case 4: return 366;
    default: return -1;
  }
}

bool IsDayLogExtension(std::u16string_view extension) {
  return path_util::EqualsIgnoringCase(extension, u"bin2") || path_util::EqualsIgnoringCase(extension, u"bin");
}

// A day log, or a day's recording journal, which goes with its day.
std::optional<DayLogName> ParseDayFileName(std::u16string_view name) {
  if (const auto date = ParseDayLogName(name)) return date;
  if (const auto date = DateOfJournalName(name)) return DayLogName{date->year, date->month, date->day};
  return std::nullopt;
}

}  // namespace

std::optional<DayLogName> ParseDayLogName(std::u16string_view name) {
  if (name.size() < 12) return std::nullopt;
  DayLogName parsed;
  size_t i = 0;
  if (!ScanUnsigned(name, i, 4, &parsed.year) || !ScanUnsigned(name, i, 2, &parsed.month) ||
      !ScanUnsigned(name, i, 2, &parsed.day)) {
    return std::nullopt;
  }
  if (i >= name.size() || name[i++] != u'.') return std::nullopt;
  while (i < name.size() && IsBlank(name[i])) ++i;
  const size_t begin = i;
  while (i < name.size() && i - begin < 5 && !IsBlank(name[i])) ++i;
  if (i == begin || !IsDayLogExtension(name.substr(begin, i - begin))) return std::nullopt;
  return parsed;
}

bool DeleteOldLogs(StoredState& app, uint16_t year, uint16_t month, uint16_t day) {
  const int32_t deleteAge = app.settings.deleteAge;
  if (deleteAge == 0) return false;
  Env& env = app.env;
  const std::u16string folder = LogFolder(env);
  std::vector<std::u16string> names;
  if (!env.ListFolder(folder, &names)) return false;

  const int64_t today = DayNumber(year, month, day);
  const int64_t keptDays = KeptDays(deleteAge);
  int deleted = 0;
  for (const std::u16string& name : names) {
    const std::optional<DayLogName> date = ParseDayFileName(name);
    if (!date || keptDays < 0) continue;
    // The parsed numbers are taken as 16-bit values as they are, valid date or not.
    const int64_t age = today - DayNumber(static_cast<uint16_t>(date->year), static_cast<uint16_t>(date->month),
                                          static_cast<uint16_t>(date->day));
    if (age > keptDays && env.SendToRecycleBin(env.CombinePath(folder, name))) ++deleted;
  }
  return deleted > 0;
}

}  // namespace qm
