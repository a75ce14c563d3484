// The period that the usage and period windows show: the range of a day, week or month around a date,
// the step to the previous or next one, and the range as the caption shows it.
#pragma once

#include <string>

#include "core/calendar_date.h"
#include "storage/ini_settings.h"

namespace qm {

// The day itself, its Monday-to-Sunday week, or its calendar month.
DateRange PeriodRange(UsagePeriod period, const CalendarDate& date);
// A date of the previous or next period: a day, 7 days, or the first day of the month before or after.
CalendarDate StepPeriod(UsagePeriod period, const CalendarDate& date, bool forward);
// "2016/3/7 - 2016/3/13"; a single day "2016/3/7".
std::u16string RangeCaptionText(const DateRange& range);

}  // namespace qm
