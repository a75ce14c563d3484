#include "ui/common/list_texts.h"

#include <cstdio>
#include <vector>

#include "platform/utf.h"

namespace qm {
std::u16string StartCellText(uint32_t startMs) {
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(startMs / 3600000),
                static_cast<int>(startMs / 60000 % 60), static_cast<int>(startMs / 1000 % 60));
  return FromUtf8(text);
}

std::u16string DurationCellText(uint64_t durationMs) {
  char text[40];
  std::snprintf(text, sizeof text, "%llu:%02d:%02d.%03d", static_cast<unsigned long long>(durationMs / 3600000),
                static_cast<int>(durationMs / 60000 % 60), static_cast<int>(durationMs / 1000 % 60),
                static_cast<int>(durationMs % 1000));
  return FromUtf8(text);
}

std::u16string SortedHeaderText(int32_t column, bool ascending) {
  if (column < 0 || column > 3) return std::u16string();
  return std::u16string(Tr(kListHeaders[column])) + u" " + (ascending ? u"▽" : u"△");
}

std::u16string TotalLineText(uint32_t totalMs) {
  char text[48];
  const int ms = static_cast<int>(totalMs % 1000);
  const int seconds = static_cast<int>(totalMs / 1000 % 60);
  if (totalMs <= 3600000) {
    std::snprintf(text, sizeof text, " %d:%02d.%02d", static_cast<int>(totalMs / 60000), seconds, ms);
  } else {
    std::snprintf(text, sizeof text, " %d:%02d:%02d.%02d", static_cast<int>(totalMs / 3600000),
                  static_cast<int>(totalMs / 60000 % 60), seconds, ms);
  }
  return Tr(TextId::TotalLabel) + FromUtf8(text);
}

bool IsColumnOrder(const int32_t* order, int count) {
  std::vector<bool> seen(static_cast<size_t>(count), false);
  for (int i = 0; i < count; ++i) {
    if (order[i] < 0 || order[i] >= count || seen[order[i]]) return false;
    seen[order[i]] = true;
  }
  return true;
}

}  // namespace qm
