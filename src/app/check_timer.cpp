#include "app/check_timer.h"

#include "app/auto_save_schedule.h"
#include "app/sampler.h"
#include "storage/old_log_cleanup.h"

namespace qm {
namespace {

// Follows the day being recorded: onto the new day when the finished one was shown (retitle), else
// new rows when the current day is shown.
void RefreshList(AppState& app, ListModel& list, const LocalTime& prev, CheckTimerResult& result) {
  const LocalTime& today = app.sampler.lastTick;
  if (result.dayChanged && ShowsDate(list.shownDate, prev)) {
    list.Rebuild(app.sampler.day);
    list.shownDate = {today.year, today.month, today.day};
    result.retitle = result.listChanged = true;
  } else if (ShowsDate(list.shownDate, today)) {
    list.AppendNew();
    result.listChanged = true;
  }
}

}  // namespace

CheckTimerResult RunCheckTimer(AppState& app, WindowSystem& windows, ListModel& list,
                               const std::function<bool()>& saveAll) {
  CheckTimerResult result;
  const LocalTime prev = app.sampler.lastTick;
  result.changed = SampleTick(app, windows, windows.ForegroundWindow(), result.dayChanged);
  if (result.changed) RefreshList(app, list, prev, result);

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
