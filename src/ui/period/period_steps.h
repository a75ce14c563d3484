// The period that the usage and period windows show: the range of a day, week or month around a date,
// the step to the previous or next one, and the range as the caption shows it.
#pragma once

#include <span>
#include <string>

#include "core/calendar_date.h"
#include "storage/ini_settings.h"
#include "ui/text/texts.h"

namespace qm {

// The day itself, its Monday-to-Sunday week, or its calendar month.
DateRange PeriodRange(UsagePeriod period, const CalendarDate& date);
// A date of the previous or next period: a day, 7 days, or the first day of the month before or after.
CalendarDate StepPeriod(UsagePeriod period, const CalendarDate& date, bool forward);
// "2016/3/7 - 2016/3/13"; a single day "2016/3/7".
std::u16string RangeCaptionText(const DateRange& range);
// A window's caption over a period, "アプリケーション使用率 [2016/3/7 - 2016/3/13]", with the note that
// its totals are coming or the names of the day logs that could not be read.
std::u16string PeriodCaptionText(TextId window, const DateRange& range, bool counting,
                                 std::span<const std::u16string> unreadable);

}  // namespace qm
