// Dates of the proleptic Gregorian calendar and ranges of them: days, Monday-to-Sunday weeks, months,
// years. Portable arithmetic for stepping through periods of day logs.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

struct CalendarDate {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;
  auto operator<=>(const CalendarDate&) const = default;
};

// Both ends included.
struct DateRange {
  CalendarDate first;
  CalendarDate last;
  bool Contains(const CalendarDate& d) const { return first <= d && d <= last; }
  bool operator==(const DateRange&) const = default;
};

// Days since 1 January of year 1 (that day is 0).
int64_t DayNumber(uint16_t year, uint16_t month, uint16_t day);
inline int64_t DayNumber(const CalendarDate& d) { return DayNumber(d.year, d.month, d.day); }
CalendarDate DateOfDayNumber(int64_t number);

int DaysInMonth(uint16_t year, uint16_t month);
// Year 1 to 9999, a month that exists, a day that the month has.
bool IsValidDate(const CalendarDate& d);
CalendarDate AddDays(const CalendarDate& d, int64_t days);
// 0 Sunday to 6 Saturday, as the system clock counts.
int DayOfWeek(const CalendarDate& d);
// Days from `range.first` to `range.last`, both counted.
int64_t DaysIn(const DateRange& range);

DateRange WeekOf(const CalendarDate& d);  // Monday to Sunday
DateRange MonthOf(uint16_t year, uint16_t month);
DateRange YearOf(uint16_t year);

// "YYYYMMDD", "YYYYMM", "YYYY": digits only, of exactly that length, naming a valid date (the first
// day of the month or year for the shorter forms).
std::optional<CalendarDate> ParseDateDigits(std::u16string_view text, size_t digits);
// "2016-03-05".
std::u16string IsoDateText(const CalendarDate& d);

}  // namespace qm
