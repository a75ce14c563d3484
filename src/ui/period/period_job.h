// A period totalled away from the windows' thread, so that a month of busy days never freezes a
// window: the job reads the day logs on a thread of its own and hands the result over when asked.
// The day being recorded is copied before the job starts; nothing else is shared.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "output/period_usage.h"

namespace qm {

class PeriodJob {
 public:
  PeriodJob() = default;
  PeriodJob(const PeriodJob&) = delete;
  ~PeriodJob() { Stop(); }

  // Stops any job still running, then starts totalling `range` from `folders`; `today` (if any) is
  // copied and stands for its date; `withMinutes` adds each day's minutes. `done` runs on the job's thread when the result is ready: it
  // should only post a message to the window that asks for the result.
  void Start(Env& env, std::vector<std::u16string> folders, const DateRange& range, const DayInMemory* today,
             std::function<void()> done, bool withMinutes = false);
  // The finished result, once; nullptr while the job runs or after it was stopped.
  std::unique_ptr<PeriodUsage> Take();
  // Stops the job (it ends before its next day) and waits for it.
  void Stop();

 private:
  std::thread thread_;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::unique_ptr<PeriodUsage> result_;
  DayLog today_;
  StringPool todayPool_;
  DayInMemory inMemory_;
};

}  // namespace qm
