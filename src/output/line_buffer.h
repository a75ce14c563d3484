// The fixed line buffer every formatter writes into, and the bounded append that silently drops
// whatever does not fit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace qm {

inline constexpr size_t kLineUnits = 1024;

// Appends `text` at the end of the zero-terminated text at `destination`, keeping the whole at most
// `capacity` - 1 code units plus its terminator. Returns the length of the text now at `destination`
// (for a formatter writing at its line's end, the count appended), or -1 when the text already there
// fills the capacity.
int32_t AppendBounded(char16_t* destination, std::u16string_view text, size_t capacity);

class LineBuffer {
 public:
  LineBuffer() { Clear(); }

  void Clear() {
    units_[0] = 0;
    length_ = 0;
  }
  // Appends what fits of `text`; the line never holds more than kLineUnits - 1 code units.
  void Append(std::u16string_view text);
  // `value` in decimal, zero-padded to `minDigits` ("%d", "%02d", "%03d").
  void AppendDecimal(uint64_t value, int minDigits = 1);
  // A % specifier without a meaning, printed as it was written.
  void AppendUnknownSpecifier(uint32_t kind);
  // LF, or CR LF when `newlineMode` is 1, cut like any other text at the end of the buffer.
  void AppendLineEnd(int32_t newlineMode);

  std::u16string_view View() const { return std::u16string_view(units_, length_); }
  const char16_t* Data() const { return units_; }
  size_t Length() const { return length_; }

 private:
  char16_t units_[kLineUnits];
  size_t length_ = 0;
};

}  // namespace qm
