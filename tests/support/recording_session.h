// The program's recording on the fake platform: a clock of simulated milliseconds since 2016-03-01
// 00:00 (the tick counter runs with it), a run of the program that starts with the journal's
// recovery and checks like the main window's timer, and day logs read back.
#pragma once

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/check_timer.h"
#include "app/journal_recovery.h"
#include "app/sampler.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace qm::test {

inline void SetSimulatedTime(FakeEnv& env, uint64_t ms) {
  const uint64_t day = ms / kMillisecondsPerDay, in = ms % kMillisecondsPerDay;
  env.now = {2016, 3, 0, static_cast<uint16_t>(1 + day), static_cast<uint16_t>(in / 3'600'000),
             static_cast<uint16_t>(in / 60'000 % 60), static_cast<uint16_t>(in / 1000 % 60),
             static_cast<uint16_t>(in % 1000)};
  env.tick = static_cast<uint32_t>(1000 + ms);
}

struct RecordingSession {
  // A new process at `ms`: recovery at start-up, then the journal kept.
  RecordingSession(FakeEnv& e, FakeWindowSystem& w, uint64_t ms) : env(e), windows(w) {
    SetSimulatedTime(env, ms);
    app.sampler.lastTick = env.now;
    RecoverRecording(app, env.now, &keptAside);
    list.Rebuild(app.sampler.day);
  }
  // A check at `ms` with `window` in front; the schedule's saves go through SaveRecordingDay.
  CheckTimerResult Check(uint64_t ms, uintptr_t window) {
    SetSimulatedTime(env, ms);
    windows.foreground = window;
    return RunCheckTimer(app, windows, list, [this] { return SaveRecordingDay(app, app.journal); });
  }
  // Closing the program: the entry in progress recorded, the day saved.
  bool Exit() {
    RecordOpenEntry(app);
    return SaveRecordingDay(app, app.journal);
  }

  FakeEnv& env;
  FakeWindowSystem& windows;
  AppState app{env};
  ListModel list;
  std::vector<std::u16string> keptAside;
};

struct StoredRecord {
  uint32_t start, duration, exeKey;
  std::u16string title;
};
// The records of the day log of 2016-03-`day`; none when it does not load.
inline std::vector<StoredRecord> ReadDayRecords(FakeEnv& env, uint16_t day) {
  AppState reader(env);
  std::vector<StoredRecord> records;
  if (!LoadDayLogFile(reader, reader.viewedDay, DayLogPath(env, 2016, 3, day), UserViewedDay)) return records;
  for (uint32_t i = 0; i < reader.viewedDay.Count(); ++i) {
    const ActivityRecord h = reader.viewedDay.Header(i);
    records.push_back({h.start, h.duration, h.exeKey, std::u16string(reader.viewedDay.Title(i))});
  }
  return records;
}

}  // namespace qm::test
