// Text output of a busy day (50,000 records, titles of 20-120 characters, 40 executables): the day
// list written as text and as CSV through the default templates, and the day aggregated per
// executable. Goals on the 2-core reference machine: text and CSV together under 100 ms (the
// ListTextAndCsv figure), aggregation under 10 ms.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "output/day_list_file.h"
#include "output/record_line.h"
#include "output/usage_file.h"
#include "busy_day.h"
#include "redirected_env.h"
#include "support/real_env.h"

namespace {

// A day of 50,000 records over 40 executables, recorded into the state's current day.
class BusyDay {
 public:
  BusyDay() : env_(folder_.Child(u"quillmere")), app_(env_) {
    qm::bench::RecordBusyDay(app_);
    qm::CompileTemplates(app_.settings, app_.templates);
    app_.settings.newlineMode = 1;
    list_.Rebuild(app_.sampler.day);
  }

  qm::AppState& app() { return app_; }
  const qm::ListModel& list() const { return list_; }
  std::u16string Path(const char16_t* name) const { return folder_.Child(name); }

 private:
  qm::test::TempFolder folder_;
  qm::bench::RedirectedEnv env_;
  qm::AppState app_;
  qm::ListModel list_;
};

BusyDay& Day() {
  static BusyDay day;
  return day;
}

void ListText(benchmark::State& state) {
  BusyDay& day = Day();
  for (auto _ : state) benchmark::DoNotOptimize(qm::WriteDayListText(day.app(), day.list(), day.Path(u"day.txt")));
}

void ListCsv(benchmark::State& state) {
  BusyDay& day = Day();
  for (auto _ : state) benchmark::DoNotOptimize(qm::WriteDayListCsv(day.app(), day.list(), day.Path(u"day.csv")));
}

// What a save with both automatic list exports costs.
void ListTextAndCsv(benchmark::State& state) {
  BusyDay& day = Day();
  for (auto _ : state) {
    benchmark::DoNotOptimize(qm::WriteDayListText(day.app(), day.list(), day.Path(u"both.txt")));
    benchmark::DoNotOptimize(qm::WriteDayListCsv(day.app(), day.list(), day.Path(u"both.csv")));
  }
}

// Rendering alone, without the file: the share of the templates in the figures above.
void RenderListLines(benchmark::State& state) {
  BusyDay& day = Day();
  qm::LineBuffer line;
  for (auto _ : state) {
    size_t units = 0;
    for (uint32_t row = 0; row < day.list().RowCount(); ++row) {
      line.Clear();
      qm::ListTextLine(line, day.list().RecordOfRow(row), day.app());
      units += line.Length();
    }
    benchmark::DoNotOptimize(units);
  }
}

void Aggregate(benchmark::State& state) {
  BusyDay& day = Day();
  qm::UsageTable table;
  for (auto _ : state) {
    qm::AggregateForSaving(day.app(), day.app().sampler.day, table);
    benchmark::DoNotOptimize(table.entries.data());
  }
}

BENCHMARK(ListText)->Unit(benchmark::kMillisecond);
BENCHMARK(ListCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(ListTextAndCsv)->Unit(benchmark::kMillisecond);
BENCHMARK(RenderListLines)->Unit(benchmark::kMillisecond);
BENCHMARK(Aggregate)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
