// Helpers for the fixed, zero-terminated UTF-16 arrays of the stored settings record.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace qm {

// Copies `text` into `array`, truncating silently so that a terminator always fits; the rest is zeroed.
template <size_t N>
void CopyToArray(char16_t (&array)[N], std::u16string_view text) {
  const size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.data(), length, array);
  std::fill(array + length, array + N, u'\0');
}

// The text of a fixed array up to its first 0, or the whole array if it has none.
template <size_t N>
std::u16string_view ArrayText(const char16_t (&array)[N]) {
  size_t length = 0;
  while (length < N && array[length] != 0) ++length;
  return std::u16string_view(array, length);
}

}  // namespace qm
