// The sampler's common path: a tick that finds the foreground title unchanged, on the fake clock and
// window system so that only the sampler's own work is timed. Goal: under 1 microsecond per tick,
// with no heap allocation (allocs_per_tick must read 0). The away check, alone and within the tick,
// with the user typing and idle: under 100 ns, no allocation.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>

#include "app/app_state.h"
#include "app/presence.h"
#include "app/sampler.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace {

// Every operator new of the process is counted; the tick must not add to the count.
size_t gAllocations = 0;

void UnchangedTitle(benchmark::State& state) {
  qm::test::FakeEnv env;
  qm::AppState app(env);
  qm::test::FakeWindowSystem windows;
  windows.SetWindow(1, u"Quarterly report draft - Notes 12 - a title of usual length", u"C:\\apps\\notes.exe");
  bool dayChanged = false;
  qm::SampleTick(app, windows, 1, dayChanged);  // opens the entry; later ticks only compare

  const size_t before = gAllocations;
  if (before == 0) state.SkipWithError("operator new is not being counted");
  for (auto _ : state) {
    ++env.tick;
    benchmark::DoNotOptimize(qm::SampleTick(app, windows, 1, dayChanged));
  }
  const size_t allocations = gAllocations - before;
  state.counters["allocs_per_tick"] = static_cast<double>(allocations) / static_cast<double>(state.iterations());
  if (app.sampler.day.Count() != 0 || dayChanged) state.SkipWithError("the title was not seen as unchanged");
}

BENCHMARK(UnchangedTitle)->Unit(benchmark::kNanosecond);

// The user's input: typing (an input at every tick) or idle (none since the start, the threshold
// not reached, so the states that keep someone present are looked at once a second).
enum Input : int64_t { kTyping, kIdle };

void UpdateInput(qm::test::FakeWindowSystem& windows, uint32_t tick, int64_t input) {
  if (input == kTyping) windows.lastInput = tick;
}

void UnchangedTitleWithInput(benchmark::State& state) {
  qm::test::FakeEnv env;
  qm::AppState app(env);
  qm::test::FakeWindowSystem windows;
  windows.SetWindow(1, u"Quarterly report draft - Notes 12 - a title of usual length", u"C:\\apps\\notes.exe");
  windows.lastInput = env.tick;
  app.ini.awayAfterSeconds = 86'400;  // the idle run stays below it
  bool dayChanged = false;
  qm::SampleTick(app, windows, 1, dayChanged);
  const size_t before = gAllocations;
  for (auto _ : state) {
    UpdateInput(windows, ++env.tick, state.range(0));
    benchmark::DoNotOptimize(qm::SampleTick(app, windows, 1, dayChanged));
  }
  state.counters["allocs_per_tick"] =
      static_cast<double>(gAllocations - before) / static_cast<double>(state.iterations());
  if (!app.sampler.open.isOpen || app.sampler.day.Count() != 0) state.SkipWithError("the entry did not go on");
}

BENCHMARK(UnchangedTitleWithInput)->Arg(kTyping)->Arg(kIdle)->Unit(benchmark::kNanosecond);

// The away check by itself, as the tick runs it.
void AwayCheck(benchmark::State& state) {
  qm::test::FakeEnv env;
  qm::AppState app(env);
  qm::test::FakeWindowSystem windows;
  windows.lastInput = env.tick;
  app.ini.awayAfterSeconds = 86'400;
  const size_t before = gAllocations;
  for (auto _ : state) {
    UpdateInput(windows, ++env.tick, state.range(0));
    bool ended = false;
    benchmark::DoNotOptimize(qm::CheckPresence(app, windows, env.tick, ended));
  }
  state.counters["allocs_per_tick"] =
      static_cast<double>(gAllocations - before) / static_cast<double>(state.iterations());
}

BENCHMARK(AwayCheck)->Arg(kTyping)->Arg(kIdle)->Unit(benchmark::kNanosecond);

}  // namespace

void* operator new(size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void* operator new[](size_t size) { return operator new(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  ++gAllocations;
  return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }
void operator delete[](void* p, size_t) noexcept { std::free(p); }

BENCHMARK_MAIN();
