#include "app/auto_save_schedule.h"

namespace qm {
namespace {

// The hour just reached by stepping from the hour before; -1 for any other change.
int ReachedHour(const LocalTime& prev, const LocalTime& now) {
  return now.hour == prev.hour + 1 ? now.hour : -1;
}

}  // namespace

bool AutoSaveDue(int32_t autoSave, const LocalTime& prev, const LocalTime& now) {
  const int reached = ReachedHour(prev, now);
  switch (autoSave) {
    case 1: return prev.hour != now.hour && !(prev.hour == 23 && now.hour == 0);
    case 2: return reached == 12;
    case 3: return reached > 0 && reached % 3 == 0;
    case 4: return reached == 6 || reached == 12 || reached == 18;
    default: return false;
  }
}

}  // namespace qm
