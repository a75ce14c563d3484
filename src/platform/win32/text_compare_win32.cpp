// The user's locale decides the order, as lstrcmpW does; CompareStringW takes lengths, so texts
// need no terminator.
#include <windows.h>

#include "platform/text_compare.h"

namespace qm {

int CompareText(std::u16string_view a, std::u16string_view b) {
  const int result = CompareStringW(LOCALE_USER_DEFAULT, 0, reinterpret_cast<const wchar_t*>(a.data()),
                                    static_cast<int>(a.size()), reinterpret_cast<const wchar_t*>(b.data()),
                                    static_cast<int>(b.size()));
  // 0 means the call failed; fall back to the code units so that sorting stays consistent.
  return result == 0 ? a.compare(b) : result - CSTR_EQUAL;
}

}  // namespace qm
