#include "output/line_buffer.h"

#include <algorithm>

#include "output/decimal_text.h"

namespace qm {

int32_t AppendBounded(char16_t* destination, std::u16string_view text, size_t capacity) {
  size_t i = 0;
  while (i < capacity && destination[i] != 0) ++i;
  if (i >= capacity) return -1;
  if (text.empty()) return static_cast<int32_t>(i);
  const size_t count = std::min(text.size(), capacity - 1 - i);
  std::copy_n(text.data(), count, destination + i);
  i += count;
  // Terminate in both cases, so callers need not zero the buffer beforehand.
  destination[i] = 0;
  return static_cast<int32_t>(i);
}

void LineBuffer::Append(std::u16string_view text) {
  const int32_t appended = AppendBounded(units_ + length_, text, kLineUnits - length_);
  if (appended > 0) length_ += static_cast<size_t>(appended);
}

void LineBuffer::AppendDecimal(uint64_t value, int minDigits) { Append(DecimalText(value, minDigits).View()); }

void LineBuffer::AppendUnknownSpecifier(uint32_t kind) {
  const char16_t text[2] = {u'%', static_cast<char16_t>(kind)};
  Append(std::u16string_view(text, 2));
}

void LineBuffer::AppendLineEnd(int32_t newlineMode) { Append(newlineMode == 1 ? u"\r\n" : u"\n"); }

}  // namespace qm
