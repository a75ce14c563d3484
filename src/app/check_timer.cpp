#include "app/check_timer.h"

#include "app/auto_save_schedule.h"
#include "app/sampler.h"
#include "storage/old_log_cleanup.h"

namespace qm {
namespace {

// Follows the day being recorded: onto the new day when the finished one was shown, else new rows
// when the current day is shown. True when the list moved to the new day.
bool RefreshList(AppState& app, ListModel& list, const LocalTime& prev, bool dayChanged) {
  const LocalTime& today = app.sampler.lastTick;
  if (dayChanged && ShowsDate(list.shownDate, prev)) {
    list.Rebuild(app.sampler.day);
    list.shownDate = {today.year, today.month, today.day};
    return true;
  }
  if (ShowsDate(list.shownDate, today)) list.AppendNew();
  return false;
}

}  // namespace

CheckTimerResult RunCheckTimer(AppState& app, WindowSystem& windows, ListModel& list,
                               const std::function<bool()>& saveAll) {
  CheckTimerResult result;
  const LocalTime prev = app.sampler.lastTick;
  result.changed = SampleTick(app, windows, windows.ForegroundWindow(), result.dayChanged);
  if (result.changed) result.retitle = RefreshList(app, list, prev, result.dayChanged);

  const LocalTime& now = app.sampler.lastTick;
  if (AutoSaveDue(app.settings.autoSave, prev, now)) {
    saveAll();
    result.autoSaved = true;
  }
  if (result.dayChanged) DeleteOldLogs(app, now.year, now.month, now.day);
  app.journal.AfterTick(app);
  return result;
}

}  // namespace qm
