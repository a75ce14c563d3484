// "該当を選択" of the search window over a busy day (50,000 records, titles of 20-120 characters, 40
// executables): the matching only, from the query to the list of matching rows, without the list
// view. Goal on the 2-core reference machine: under 20 ms.
#include <benchmark/benchmark.h>

#include "app/app_state.h"
#include "busy_day.h"
#include "support/fake_env.h"
#include "ui/search/search_matching.h"

namespace {

struct BusyDay {
  BusyDay() {
    qm::bench::RecordBusyDay(app);
    list.Rebuild(app.sampler.day);
  }
  qm::test::FakeEnv env;
  qm::AppState app{env};
  qm::ListModel list;
};

BusyDay& Day() {
  static BusyDay day;
  return day;
}

// Titles and paths both searched; `text` decides how many rows match.
void SelectAllMatches(benchmark::State& state, const char16_t* text) {
  BusyDay& day = Day();
  size_t matches = 0;
  for (auto _ : state) {
    const qm::SearchQuery query = qm::MakeSearchQuery(day.app, day.list, text, true, true);
    const std::vector<uint32_t> rows = qm::AllMatchingRows(day.list, query, -1);
    matches = rows.size();
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["matches"] = static_cast<double>(matches);
}

}  // namespace

// A word in many titles and one executable's path.
BENCHMARK_CAPTURE(SelectAllMatches, CommonText, u"Appb")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SelectAllMatches, TitleWord, u"会議資料")->Unit(benchmark::kMillisecond);
// Nothing matches: every title is read to its end.
BENCHMARK_CAPTURE(SelectAllMatches, NoMatch, u"nowhere to be found")->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
