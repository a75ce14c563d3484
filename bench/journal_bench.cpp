// The recording journal's cost. An hour of typical recording (a check every 100 ms, a switch every
// 10 s among six programs with titles of usual length) reports the bytes and the writes it puts on
// the disk; an idle check (nothing changed, the journal on) is timed like the sampler's tick.
#include <benchmark/benchmark.h>

#include <string>

#include "app/journal_keeper.h"
#include "support/recording_session.h"

namespace {

constexpr uint64_t kHourMs = 3'600'000;
constexpr uint64_t kTenOClock = 10 * kHourMs;

void SetUpPrograms(qm::test::FakeWindowSystem& windows) {
  const char16_t* names[] = {u"notes", u"mail", u"browser", u"terminal", u"editor", u"viewer"};
  for (uintptr_t w = 0; w < 6; ++w) {
    const std::u16string name = names[w];
    windows.SetWindow(w + 1, u"Quarterly report draft - " + name + u" 12 - a title of usual length",
                      u"C:\\Program Files\\" + name + u"\\" + name + u".exe");
  }
}

void HourWithASwitchEveryTenSeconds(benchmark::State& state) {
  uint64_t bytes = 0, writes = 0;
  for (auto _ : state) {
    qm::test::FakeEnv env;
    qm::test::FakeWindowSystem windows;
    SetUpPrograms(windows);
    qm::test::RecordingSession program(env, windows, kTenOClock);
    for (uint64_t t = kTenOClock; t < kTenOClock + kHourMs; t += 100) {
      program.Check(t, 1 + (t - kTenOClock) / 10'000 * 5 % 6);  // the next program every 10 s
    }
    // Nothing saved the day in the hour (the schedule's default is "none"): the journal is all of it.
    bytes = env.FileBytes(u"/app/log/20160301.journal").size();
    writes = program.app.journal.Writes();
  }
  state.counters["journal_bytes_per_hour"] = static_cast<double>(bytes);
  state.counters["journal_writes_per_hour"] = static_cast<double>(writes);
}

void IdleCheckWithTheJournalOn(benchmark::State& state) {
  qm::test::FakeEnv env;
  qm::test::FakeWindowSystem windows;
  SetUpPrograms(windows);
  qm::test::RecordingSession program(env, windows, kTenOClock);
  uint64_t t = kTenOClock;
  for (auto _ : state) benchmark::DoNotOptimize(program.Check(t += 100, 1));
  state.counters["journal_writes"] = static_cast<double>(program.app.journal.Writes());
}

BENCHMARK(HourWithASwitchEveryTenSeconds)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(IdleCheckWithTheJournalOn)->Unit(benchmark::kNanosecond);

}  // namespace

BENCHMARK_MAIN();
