// Saving and loading a busy day (50,000 records, titles of 20-120 characters, 40 executables), each
// against its floor: a bare zlib deflate or inflate of the same raw bytes in the same run. The
// ratio counters are the figures to watch (goals: save <= 1.3x, load <= 1.5x; peak extra memory of
// a load <= 3x the raw record bytes).
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "storage/day_log_file.h"
#include "storage/log_folder.h"
#include "busy_day.h"
#include "heap_counter.h"
#include "redirected_env.h"
#include "support/real_env.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void ResetPeak() { qm::bench::gPeak = qm::bench::gInUse; }

struct Fixture {
  qm::test::TempFolder folder;
  qm::bench::RedirectedEnv env{folder.Child(u"quillmere.exe")};
  qm::AppState app{env};
  std::u16string path;
  std::string raw;  // the strings and records as the file's two sections hold them, uncompressed

  Fixture() {
    qm::bench::RecordBusyDay(app);
    qm::SaveDayLog(app, 2016, 3, 7);
    path = env.CombinePath(qm::LogFolder(env), u"20160307.bin2");
    for (const auto& [key, entry] : app.pool.Entries()) {
      raw.append(reinterpret_cast<const char*>(&entry.byteSize), 2);
      raw.append(reinterpret_cast<const char*>(entry.text.get()), entry.byteSize);
    }
    raw.append(reinterpret_cast<const char*>(app.sampler.day.Bytes()), app.sampler.day.ByteLength());
  }
};

Fixture& Day() {
  static Fixture fixture;
  return fixture;
}

std::string Deflated(const std::string& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::string out(size, '\0');
  compress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size());
  out.resize(size);
  return out;
}

void SaveDay(benchmark::State& state) {
  Fixture& day = Day();
  double save = 0;
  double floor = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    benchmark::DoNotOptimize(Deflated(day.raw));
    const auto t1 = Clock::now();
    if (!qm::SaveDayLog(day.app, 2016, 3, 7)) state.SkipWithError("save failed");
    const auto t2 = Clock::now();
    floor += Seconds(t1 - t0);
    save += Seconds(t2 - t1);
    state.SetIterationTime(Seconds(t2 - t1));
  }
  state.counters["floor_ms"] = 1000 * floor / state.iterations();
  state.counters["vs_floor"] = save / floor;
  state.counters["raw_MB"] = day.raw.size() / 1e6;
}

void LoadDay(benchmark::State& state) {
  Fixture& day = Day();
  const std::string packed = Deflated(day.raw);
  std::string out(day.raw.size(), '\0');
  double load = 0;
  double floor = 0;
  size_t peakExtra = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    uLongf size = static_cast<uLongf>(out.size());
    uncompress(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(packed.data()), packed.size());
    const auto t1 = Clock::now();
    qm::AppState viewer(day.env);
    viewer.viewedDay.Release();
    ResetPeak();
    const size_t before = qm::bench::gInUse;
    const auto t2 = Clock::now();
    if (!qm::LoadDayLogFile(viewer, viewer.viewedDay, day.path, qm::UserViewedDay)) state.SkipWithError("load failed");
    const auto t3 = Clock::now();
    peakExtra = std::max(peakExtra, qm::bench::gPeak - before);
    floor += Seconds(t1 - t0);
    load += Seconds(t3 - t2);
    state.SetIterationTime(Seconds(t3 - t2));
  }
  state.counters["floor_ms"] = 1000 * floor / state.iterations();
  state.counters["vs_floor"] = load / floor;
  state.counters["peak_vs_raw"] = static_cast<double>(peakExtra) / Day().app.sampler.day.ByteLength();
}

BENCHMARK(SaveDay)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);
BENCHMARK(LoadDay)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

BENCHMARK_MAIN();
