#include "ui/period/period_steps.h"

#include <cstdio>

#include "platform/utf.h"

namespace qm {
namespace {

std::string SlashDate(const CalendarDate& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d/%d", d.year, d.month, d.day);
  return text;
}

}  // namespace

DateRange PeriodRange(UsagePeriod period, const CalendarDate& date) {
  switch (period) {
    case UsagePeriod::Week: return WeekOf(date);
    case UsagePeriod::Month: return MonthOf(date.year, date.month);
    default: return {date, date};
  }
}

CalendarDate StepPeriod(UsagePeriod period, const CalendarDate& date, bool forward) {
  switch (period) {
    case UsagePeriod::Week: return AddDays(date, forward ? 7 : -7);
    case UsagePeriod::Month: {
      const DateRange month = MonthOf(date.year, date.month);
      return forward ? AddDays(month.last, 1) : MonthOf(AddDays(month.first, -1).year, AddDays(month.first, -1).month).first;
    }
    default: return AddDays(date, forward ? 1 : -1);
  }
}

std::u16string RangeCaptionText(const DateRange& range) {
  if (range.first == range.last) return FromUtf8(SlashDate(range.first));
  return FromUtf8(SlashDate(range.first) + " - " + SlashDate(range.last));
}

std::u16string PeriodCaptionText(TextId window, const DateRange& range, bool counting,
                                 std::span<const std::u16string> unreadable) {
  std::u16string caption = std::u16string(Tr(window)) + u" [" + RangeCaptionText(range) + u"]";
  if (counting) return caption + Tr(TextId::CountingNote);
  if (!unreadable.empty()) caption += Tr(TextId::UnreadableNote);
  for (const std::u16string& name : unreadable) caption += u" " + name;
  return caption;
}

}  // namespace qm
