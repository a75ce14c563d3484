// A range of days aggregated in one pass: the usage statistics over the range (the same figures and
// orderings as a day's), each day's totals, and each day's recorded time hour by hour with the
// program that had the most of each hour.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/calendar_date.h"
#include "core/day_log.h"
#include "core/string_pool.h"
#include "output/usage_table.h"
#include "storage/period_reader.h"

namespace qm {

inline constexpr uint32_t kMsPerHour = 3'600'000;

struct HourTotals {
  uint64_t recorded = 0;  // ms of the day's records within this hour
  int32_t topExe = 0;     // the program with the most of them (0 when nothing was recorded)
};

inline constexpr uint32_t kMinutesPerDay = 1440;

// One minute of a day for a picture of the period: what was recorded in it and by which program.
struct MinuteTotals {
  uint32_t recorded = 0;  // ms of the day's records within this minute
  uint32_t longest = 0;   // ms of the one record with the most of it
  int32_t exe = 0;        // that record's program
};

struct DayTotals {
  CalendarDate date;
  uint64_t recorded = 0;    // the sum of the day's durations, as a usage table's grand total
  uint32_t records = 0;
  uint32_t firstStart = 0;  // ms since midnight
  uint64_t lastEnd = 0;     // the latest start + duration; past 86,400,000 when a record ran past midnight
  int32_t topExe = 0;       // the program with the most time
  // Time running past midnight counts in the last hour, so that the hours add up to `recorded`.
  std::array<HourTotals, 24> hours{};
  // Minute by minute (kMinutesPerDay cells, the last one open-ended like the last hour), when asked for.
  std::vector<MinuteTotals> minutes;
};

struct PeriodUsage {
  DateRange range;
  UsageTable usage;             // entries in ascending key order, as AggregateUsage leaves a day's
  std::vector<DayTotals> days;  // the days that have records, in date order
  std::map<int32_t, std::u16string> paths;  // the path of every program the results name, when known
  std::vector<std::u16string> unreadable;   // day logs that exist but could not be read
};

class PeriodAccumulator {
 public:
  explicit PeriodAccumulator(const DateRange& range, bool withMinutes = false) : withMinutes_(withMinutes) {
    result_.range = range;
  }
  // Adds one day log. Dates come in ascending order; the logs of one date come one after another and
  // make one day.
  void AddDay(const CalendarDate& date, const DayLog& day, const StringPool& pool);
  // Completes the last day and the usage table; the accumulator is spent.
  PeriodUsage Finish();

 private:
  struct Program {
    int32_t key = 0;
    uint64_t total = 0;
    uint32_t count = 0;
    std::array<uint64_t, 24> hours{};
  };
  void FinishDay();
  Program& ProgramOf(int32_t key);
  void AddRecord(DayTotals& totals, Program& program, const ActivityRecord& header);

  void AddMinutes(DayTotals& totals, const ActivityRecord& header);

  bool withMinutes_;
  PeriodUsage result_;
  std::map<int32_t, AppUsageEntry> usage_;
  bool dayOpen_ = false;
  std::vector<Program> programs_;  // the open day's programs
  std::unordered_map<int32_t, uint32_t> programIndex_;
};

// Reads the range's day logs from `folders` (see ReadPeriodDays) and aggregates them.
PeriodUsage AggregatePeriod(Env& env, const std::vector<std::u16string>& folders, const DateRange& range,
                            const DayInMemory* inMemory = nullptr, const std::atomic<bool>* stop = nullptr,
                            bool withMinutes = false);

// Acquires the period's paths in `pool` for `user`, so that lines and cells can show them.
void AcquirePeriodPaths(const PeriodUsage& period, StringPool& pool, uint16_t user);

}  // namespace qm
