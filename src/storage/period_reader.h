// The day logs of a range of dates, read one at a time so that memory holds one day whatever the
// range, from one or more log folders: a person with several computers keeps each one's folder
// inside a folder that a file-sync service keeps together, and a date found in two folders is two
// logs of that day.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "core/calendar_date.h"
#include "core/day_log.h"
#include "core/string_pool.h"
#include "platform/env.h"

namespace qm {

// A day held in memory that stands for its date's log in the first folder (the day being recorded,
// newer than its file).
struct DayInMemory {
  CalendarDate date;
  const DayLog* day = nullptr;
  const StringPool* pool = nullptr;
};

using PeriodDayVisitor = std::function<void(const CalendarDate&, const DayLog&, const StringPool&)>;

// Visits, in date order, every day log of `range` in each of `folders`: a date's .bin2 file, else its
// .bin file, the logs of one date one after another in folder order. A file that exists but cannot
// be read is added to `unreadable` and skipped; a missing date is simply not visited. When `stop`
// turns true the reading ends before the next day.
void ReadPeriodDays(Env& env, const std::vector<std::u16string>& folders, const DateRange& range,
                    const PeriodDayVisitor& visit, std::vector<std::u16string>* unreadable,
                    const DayInMemory* inMemory = nullptr, const std::atomic<bool>* stop = nullptr);

}  // namespace qm
