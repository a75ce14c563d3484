#include "output/file_name_template.h"

#include "output/decimal_text.h"
#include "output/line_buffer.h"

namespace qm {
namespace {

bool IsForbidden(char16_t c) {
  return std::u16string_view(u"\\/?:*\"><|").find(c) != std::u16string_view::npos;
}

// The text of a date specifier, or false for a letter without a meaning.
bool ExpandSpecifier(char16_t c, const LocalTime& d, std::u16string& text) {
  uint32_t value = 0;
  int digits = 1;
  switch (c) {
    case u'y': value = d.year; break;
    case u'Y': value = d.year % 100u; break;
    case u'm': value = d.month; break;
    case u'M': value = d.month, digits = 2; break;
    case u'd': value = d.day; break;
    case u'D': value = d.day, digits = 2; break;
    case u'h': value = d.hour; break;
    case u'H': value = d.hour, digits = 2; break;
    case u'i': value = d.minute; break;
    case u'I': value = d.minute, digits = 2; break;
    case u's': value = d.second; break;
    case u'S': value = d.second, digits = 2; break;
    case u'l': value = d.milliseconds; break;
    case u'L': value = d.milliseconds, digits = 3; break;
    default: return false;
  }
  text.assign(DecimalText(value, digits).View());
  return true;
}

class NameBuilder {
 public:
  NameBuilder() { units_[0] = 0; }
  // Appends through the bounded append; false once the name has reached its working length.
  bool Append(std::u16string_view text) {
    const int32_t length = AppendBounded(units_ + count_, text, kFileNameTemplateUnits - count_);
    if (length > 0) count_ += static_cast<size_t>(length);
    return count_ < kFileNameStopUnits;
  }
  std::u16string Result() const { return std::u16string(units_, count_); }

 private:
  char16_t units_[kFileNameTemplateUnits];
  size_t count_ = 0;
};

}  // namespace

std::u16string ExpandFileNameTemplate(const LocalTime& date, std::u16string_view pattern) {
  NameBuilder name;
  bool percentPending = false;
  std::u16string expansion;
  for (const char16_t c : pattern) {
    if (c == 0) break;
    bool more = true;
    if (IsForbidden(c)) {
      percentPending = false;
    } else if (c == u'%') {
      percentPending = true;
    } else if (!percentPending) {
      more = name.Append(std::u16string_view(&c, 1));
    } else {
      percentPending = false;
      if (ExpandSpecifier(c, date, expansion)) {
        more = name.Append(expansion);
      } else {
        more = name.Append(u"%") && name.Append(std::u16string_view(&c, 1));
      }
    }
    if (!more) break;
  }
  return name.Result();
}

}  // namespace qm
