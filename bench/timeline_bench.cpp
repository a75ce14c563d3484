// The timeline picture at 1,440 x 80: a redraw with the mouse moving along it, on a day of 50,000
// records (goal: under 2 ms) and of 2,000 records (goal: under 0.2 ms), in the default colour mode
// and with per-application colours; and a timer tick with the mouse at rest, which must redraw
// nothing (redraws_per_tick must read 0).
#include <benchmark/benchmark.h>

#include "app/app_state.h"
#include "busy_day.h"
#include "support/fake_env.h"
#include "ui/timeline/timeline_image.h"

namespace {

class NoText : public qm::HourTextPainter {
 public:
  void DrawText(int32_t, int32_t, std::u16string_view) override {}
};

void Redraw(benchmark::State& state) {
  qm::test::FakeEnv env;
  qm::AppState app(env);
  qm::bench::RecordBusyDay(app, static_cast<int>(state.range(0)));
  app.colors.mode = static_cast<qm::ColorMode>(state.range(1));
  if (app.colors.mode == qm::ColorMode::PerApplication) app.colors.AdoptPoolPaths(app.pool);
  qm::ListModel list;
  list.Rebuild(app.sampler.day);
  qm::DIB image;
  if (!image.CreateImage(1440, 80)) state.SkipWithError("no image");
  qm::TimelineState timeline;
  NoText text;
  int32_t x = 0;
  for (auto _ : state) {
    x = (x + 7) % 1440;
    qm::RenderTimeline(image, {list, app.colors}, {x, 10}, qm::kNoPoint, timeline, text);
    benchmark::DoNotOptimize(image.bits);
  }
}
BENCHMARK(Redraw)
    ->ArgNames({"records", "mode"})
    ->Args({50'000, static_cast<int>(qm::ColorMode::Generic)})
    ->Args({50'000, static_cast<int>(qm::ColorMode::PerApplication)})
    ->Args({2'000, static_cast<int>(qm::ColorMode::Generic)})
    ->Args({2'000, static_cast<int>(qm::ColorMode::PerApplication)})
    ->Unit(benchmark::kMicrosecond);

void IdleTick(benchmark::State& state) {
  qm::test::FakeEnv env;
  qm::AppState app(env);
  qm::bench::RecordBusyDay(app);
  qm::ListModel list;
  list.Rebuild(app.sampler.day);
  qm::DIB image;
  image.CreateImage(1440, 80);
  qm::TimelineState timeline;
  NoText text;
  const qm::Point resting = {700, 20};
  qm::HoverMoved(timeline, true, resting, {1440, 80});  // the tick that saw it arrive
  int64_t redraws = 0;
  for (auto _ : state) {
    if (qm::HoverMoved(timeline, true, resting, {1440, 80})) {
      qm::RenderTimeline(image, {list, app.colors}, resting, qm::kNoPoint, timeline, text);
      ++redraws;
    }
    benchmark::ClobberMemory();
  }
  state.counters["redraws_per_tick"] = static_cast<double>(redraws) / static_cast<double>(state.iterations());
}
BENCHMARK(IdleTick)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
