#include "core/calendar_date.h"

#include <cstdio>

namespace qm {

int64_t DayNumber(uint16_t year, uint16_t month, uint16_t day) {
  if (month <= 2) {
    year = static_cast<uint16_t>(year - 1);
    month = static_cast<uint16_t>(month + 12);
  }
  const int64_t y = year;
  const int64_t c = y / 100;
  return (979 * static_cast<int64_t>(month) - 1033) / 32 + 365 * (y - 1) + y / 4 + c / 4 - c + day - 1;
}

CalendarDate DateOfDayNumber(int64_t number) {
  // The civil-from-days conversion on days counted from 1 March of year 0.
  const int64_t z = number + 306;
  const int64_t era = (z >= 0 ? z : z - 146'096) / 146'097;
  const int64_t doe = z - era * 146'097;
  const int64_t yoe = (doe - doe / 1'460 + doe / 36'524 - doe / 146'096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  const int64_t month = mp < 10 ? mp + 3 : mp - 9;
  const int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<uint16_t>(year), static_cast<uint16_t>(month), static_cast<uint16_t>(doy - (153 * mp + 2) / 5 + 1)};
}

int DaysInMonth(uint16_t year, uint16_t month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool IsValidDate(const CalendarDate& d) {
  return d.year >= 1 && d.year <= 9999 && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month);
}

CalendarDate AddDays(const CalendarDate& d, int64_t days) { return DateOfDayNumber(DayNumber(d) + days); }

int DayOfWeek(const CalendarDate& d) { return static_cast<int>((DayNumber(d) + 1) % 7); }  // 1 Jan 1 was a Monday

int64_t DaysIn(const DateRange& range) { return DayNumber(range.last) - DayNumber(range.first) + 1; }

DateRange WeekOf(const CalendarDate& d) {
  const CalendarDate monday = AddDays(d, -((DayOfWeek(d) + 6) % 7));
  return {monday, AddDays(monday, 6)};
}

DateRange MonthOf(uint16_t year, uint16_t month) {
  return {{year, month, 1}, {year, month, static_cast<uint16_t>(DaysInMonth(year, month))}};
}

DateRange YearOf(uint16_t year) { return {{year, 1, 1}, {year, 12, 31}}; }

std::optional<CalendarDate> ParseDateDigits(std::u16string_view text, size_t digits) {
  if (text.size() != digits || (digits != 8 && digits != 6 && digits != 4)) return std::nullopt;
  unsigned value[3] = {0, 1, 1};
  for (size_t i = 0; i < digits; ++i) {
    if (text[i] < u'0' || text[i] > u'9') return std::nullopt;
    unsigned& part = value[i < 4 ? 0 : i < 6 ? 1 : 2];
    if (i == 4 || i == 6) part = 0;
    part = part * 10 + (text[i] - u'0');
  }
  const CalendarDate date{static_cast<uint16_t>(value[0]), static_cast<uint16_t>(value[1]),
                          static_cast<uint16_t>(value[2])};
  if (!IsValidDate(date)) return std::nullopt;
  return date;
}

std::u16string IsoDateText(const CalendarDate& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return std::u16string(text, text + std::char_traits<char>::length(text));
}

}  // namespace qm
