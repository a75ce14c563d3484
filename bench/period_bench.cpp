// A period aggregated from its day logs, all in one pass: usage over the range, per-day totals and
// the hour matrix. Goals: a month of busy days (30 x 50,000 records) and a year of typical days
// (365 x 2,000 records) each under 0.5 s; peak heap during the pass (peak_vs_busy_day) under 3 times
// one busy day held in memory (its records and strings).
#include <benchmark/benchmark.h>

#include <chrono>

#include "period_days.h"
#include "heap_counter.h"
#include "output/period_usage.h"
#include "platform/utf.h"
#include "storage/log_folder.h"

namespace {

using qm::bench::PeriodSpec;

struct Generated {
  qm::test::TempFolder folder;
  std::u16string logs;
  explicit Generated(const PeriodSpec& spec) : logs(folder.Child(qm::FromUtf8(spec.name))) {
    qm::DefaultEnv().CreateFolder(logs);
    if (!qm::bench::WritePeriod(qm::DefaultEnv(), spec, logs)) std::abort();
  }
};

const Generated& Period(const PeriodSpec& spec) {
  static Generated month(qm::bench::kBusyMonth);
  static Generated year(qm::bench::kTypicalYear);
  return &spec == &qm::bench::kBusyMonth ? month : year;
}

// One busy day as the program holds it: the record block and the strings.
size_t BusyDayBytes() {
  qm::StringPool pool;
  qm::DayLog day;
  const qm::CalendarDate d = qm::bench::kBusyMonth.range.first;
  qm::ReadDayLogFile(qm::DefaultEnv(), pool, day,
                     qm::DefaultEnv().CombinePath(Period(qm::bench::kBusyMonth).logs, qm::DayLogFileName(d.year, d.month, d.day, u"bin2")),
                     qm::UserViewedDay);
  size_t bytes = day.ByteLength() + day.Count() * sizeof(uint32_t);
  for (const auto& [key, entry] : pool.Entries()) bytes += entry.byteSize;
  return bytes;
}

void Aggregate(benchmark::State& state, const PeriodSpec& spec) {
  const Generated& period = Period(spec);
  const size_t dayBytes = BusyDayBytes();
  size_t peakExtra = 0;
  uint64_t records = 0;
  for (auto _ : state) {
    qm::bench::gPeak = qm::bench::gInUse;
    const size_t before = qm::bench::gInUse;
    const qm::PeriodUsage result = qm::AggregatePeriod(qm::DefaultEnv(), {period.logs}, spec.range);
    peakExtra = std::max(peakExtra, qm::bench::gPeak - before);
    records = 0;
    for (const qm::DayTotals& day : result.days) records += day.records;
    benchmark::DoNotOptimize(result.usage.grandTotal);
  }
  state.counters["records"] = static_cast<double>(records);
  state.counters["peak_MB"] = peakExtra / 1e6;
  state.counters["peak_vs_busy_day"] = static_cast<double>(peakExtra) / dayBytes;
}

BENCHMARK_CAPTURE(Aggregate, busy_month, qm::bench::kBusyMonth)->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK_CAPTURE(Aggregate, typical_year, qm::bench::kTypicalYear)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
