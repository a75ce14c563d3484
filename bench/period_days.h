// Generated periods for the period benchmarks, written once per run into a temporary log folder: a
// month of busy days (30 x 50,000 records) and a year of typical days (365 x 2,000 records), titles
// and 40 executables as in busy_day.h, each day from its own seed so that the same records can be
// rebuilt for a peer's database.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "busy_day.h"
#include "core/calendar_date.h"
#include "storage/day_log_file.h"
#include "storage/log_folder.h"
#include "support/real_env.h"

namespace qm::bench {

struct PeriodSpec {
  const char* name;
  DateRange range;
  int recordsPerDay;
};
inline const PeriodSpec kBusyMonth{"busy_month", {{2016, 3, 1}, {2016, 3, 30}}, 50'000};
inline const PeriodSpec kTypicalYear{"typical_year", {{2015, 1, 1}, {2015, 12, 31}}, 2'000};

inline std::u16string BenchExecutable(int i) {
  return u"C:\\Program Files\\Maker " + std::u16string(1, u'A' + i % 26) + u"\\App" + std::u16string(1, u'a' + i) +
         u"\\bin\\application.exe";
}

// The records of one day of `spec`, handed to `add`(start, duration, executable index, title).
template <typename Add>
void GenerateDay(const PeriodSpec& spec, const CalendarDate& date, Add add) {
  std::mt19937 random(static_cast<uint32_t>(DayNumber(date)));
  // Busy days fill the whole day; typical ones a working day from 08:00.
  const uint32_t base = spec.recordsPerDay >= 50'000 ? 0 : 8 * 3'600'000;
  const uint32_t spread = spec.recordsPerDay >= 50'000 ? 3000 : 28'000;
  uint32_t start = base;
  for (int i = 0; i < spec.recordsPerDay; ++i) {
    const uint32_t duration = random() % spread;
    const int exe = static_cast<int>(random() % 40);
    add(start % kMillisecondsPerDay, duration, exe, BusyTitle(random));
    start += duration / 2 + 1;
  }
}

// Writes the period's day logs into `folder`; false if a save failed.
inline bool WritePeriod(Env& env, const PeriodSpec& spec, const std::u16string& folder) {
  for (CalendarDate d = spec.range.first; d <= spec.range.last; d = AddDays(d, 1)) {
    StringPool pool;
    DayLog day;
    std::vector<uint32_t> keys;
    for (int i = 0; i < 40; ++i) keys.push_back(static_cast<uint32_t>(pool.Intern(BenchExecutable(i), UserCurrentDay)));
    GenerateDay(spec, d, [&](uint32_t start, uint32_t duration, int exe, const std::u16string& title) {
      day.Append({0, start, duration, keys[exe]}, title);
    });
    if (!WriteDayLogFile(env, env.CombinePath(folder, DayLogFileName(d.year, d.month, d.day, u"bin2")), pool, day))
      return false;
  }
  return true;
}

}  // namespace qm::bench
