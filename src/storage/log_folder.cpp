#include "storage/log_folder.h"

#include <cstdio>

namespace qm {

std::u16string ExecutableFolder(Env& env) {
  const std::u16string path = env.ExecutablePath();
  return path.empty() ? path : env.RemoveFileSpec(path);
}

std::u16string LogFolder(Env& env) { return env.AddTrailingSeparator(env.CombinePath(ExecutableFolder(env), u"log")); }

std::u16string DayLogFileName(uint16_t year, uint16_t month, uint16_t day, std::u16string_view extension) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%d%02d%02d.", year, month, day);
  std::u16string name(digits, digits + std::char_traits<char>::length(digits));
  return name + std::u16string(extension);
}

namespace {

// Up to `most` decimal digits from the front of `text`; false when there is none.
bool TakeDigits(std::u16string_view& text, size_t most, unsigned& value) {
  size_t n = 0;
  value = 0;
  while (n < most && n < text.size() && text[n] >= u'0' && text[n] <= u'9') value = value * 10 + (text[n++] - u'0');
  text.remove_prefix(n);
  return n > 0;
}

}  // namespace

std::optional<LocalTime> DateOfDayLogName(std::u16string_view name) {
  unsigned year = 0, month = 0, day = 0;
  if (!TakeDigits(name, 4, year) || !TakeDigits(name, 2, month) || !TakeDigits(name, 2, day)) return std::nullopt;
  LocalTime date;
  date.year = static_cast<uint16_t>(year);
  date.month = static_cast<uint16_t>(month);
  date.day = static_cast<uint16_t>(day);
  return date;
}

}  // namespace qm
