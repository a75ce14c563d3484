// The work of one expiry of the main window's check timer, apart from the list view itself: sample
// the foreground window, keep the list model current, save on the schedule, clean up old logs after a
// day change, and bring the recording journal up to date. The result tells the window what to redraw.
#pragma once

#include <functional>

#include "app/app_state.h"
#include "output/list_model.h"
#include "platform/window_system.h"

namespace qm {

struct CheckTimerResult {
  bool changed = false;     // the tick closed, opened or carried an entry: reset the item count, redraw
  bool dayChanged = false;  // the sampler moved on to a new day
  bool retitle = false;     // the list moved from the finished day to the new one: show the new date
  bool listChanged = false;  // the list shows the day being recorded and the tick changed it: redraw the timeline
  bool autoSaved = false;   // the schedule ran saveAll
};

CheckTimerResult RunCheckTimer(AppState& app, WindowSystem& windows, ListModel& list,
                               const std::function<bool()>& saveAll);

}  // namespace qm
