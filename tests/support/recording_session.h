// The program's recording on the fake platform: a clock of simulated milliseconds since 2016-03-01
// 00:00 (the tick counter runs with it), a run of the program that starts with the journal's
// recovery and checks like the main window's timer, and day logs read back.
#pragma once

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/check_timer.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace qm::test {

void SetSimulatedTime(FakeEnv& env, uint64_t ms);

struct RecordingSession {
  // A new process at `ms`: recovery at start-up, then the journal kept.
  RecordingSession(FakeEnv& env, FakeWindowSystem& windows, uint64_t ms);
  // A check at `ms` with `window` in front; the schedule's saves go through SaveRecordingDay.
  CheckTimerResult Check(uint64_t ms, uintptr_t window);
  // Closing the program: the entry in progress recorded, the day saved.
  bool Exit();

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
std::vector<StoredRecord> ReadDayRecords(FakeEnv& env, uint16_t day);

}  // namespace qm::test
