// Decimal numbers printed into a small scratch buffer, as "%d" or zero-padded as "%02d"/"%03d".
#pragma once

#include <cstdint>
#include <string_view>

namespace qm {

class DecimalText {
 public:
  // `minDigits` pads with leading zeros; values never need more than the buffer's 32 units.
  explicit DecimalText(uint64_t value, int minDigits = 1) {
    char16_t* end = units_ + sizeof units_ / sizeof units_[0];
    char16_t* p = end;
    int digits = 0;
    do {
      *--p = static_cast<char16_t>(u'0' + value % 10);
      value /= 10;
      ++digits;
    } while (value != 0 || (digits < minDigits && digits < 30));
    text_ = std::u16string_view(p, static_cast<size_t>(end - p));
  }
  DecimalText(const DecimalText&) = delete;
  DecimalText& operator=(const DecimalText&) = delete;

  std::u16string_view View() const { return text_; }

 private:
  char16_t units_[32];
  std::u16string_view text_;
};

}  // namespace qm
