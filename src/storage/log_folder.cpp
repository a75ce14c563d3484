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

}  // namespace qm
