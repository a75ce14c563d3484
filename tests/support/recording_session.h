// The program's recording on the fake platform: a clock of simulated milliseconds since 2016-03-01
// 00:00:00.000 (the tick counter runs with it), runs of the program that start with the journal's
// recovery and check like the main window's timer (saving on the schedule), and day logs read back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/check_timer.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace qm::test {

// The local time and tick of `ms` simulated milliseconds (within March 2016).
void SetSimulatedTime(FakeEnv& env, uint64_t ms);

class RecordingSession {
 public:
  RecordingSession(FakeEnv& env, FakeWindowSystem& windows) : env_(env), windows_(windows) {}

  // A new process at the current time: state from nothing, start-up recovery, the journal started.
  void Start();
  // One expiry of the check timer; the schedule's saves go through SaveRecordingDay.
  CheckTimerResult Check();
  // What the program does when it is closed: the entry in progress recorded, the day saved.
  bool Exit();

  AppState& app() { return *app_; }
  std::vector<std::u16string> keptAside;
  int saves = 0;  // saves by the schedule that went through

 private:
  FakeEnv& env_;
  FakeWindowSystem& windows_;
  std::unique_ptr<AppState> app_;
  ListModel list_;
};

struct StoredRecord {
  uint32_t start, duration, exeKey;
  std::u16string title, exe;  // exe: empty when the day log has no path for the key
};

// The records of the day log of 2016-03-`day` as the program reads it; empty when it does not load.
std::vector<StoredRecord> ReadDayRecords(FakeEnv& env, uint16_t day);

}  // namespace qm::test
