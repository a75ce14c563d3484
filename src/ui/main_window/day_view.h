// Which day the main window shows and how: the row table, the shown date and the window title, and
// the ways to change them (today, a date, the previous or next day with a log, a file). No window
// here: the main window applies the results to its controls.
#pragma once

#include <cstdint>
#include <string>

#include "app/app_state.h"
#include "output/list_model.h"

namespace qm {

inline constexpr char16_t kProgramName[] = u"Quillmere";
// How many dates "prev" and "next" try before giving up.
inline constexpr int kDayStepAttempts = 30;

// "Quillmere [2016/5/3]".
std::u16string DatedTitle(const ShownDate& date);
// "Quillmere [mylog.bin2]", at most 256 code units.
std::u16string FileTitle(std::u16string_view fileName);

// One date back or forward, every month taken to have 31 days (dates that do not exist simply have no
// log).
ShownDate PreviousDate(ShownDate date);
ShownDate NextDate(ShownDate date);

class DayView {
 public:
  explicit DayView(AppState& app) : app_(app) {}

  // The day being recorded, dated by the sampler's last look at the clock.
  void ShowCurrentDay();
  // The day log of that date in the log dialog's folder (or its legacy file). A day that cannot be
  // loaded leaves everything as it was.
  bool ShowDayByDate(const ShownDate& date);
  // The previous or next date with a log, at most kDayStepAttempts dates away; reaching the
  // sampler's date shows the current day.
  bool StepDay(bool forward);
  // A ".bin2" or ".bin" file anywhere. A file that cannot be loaded leaves everything as it was.
  bool ShowFile(const std::u16string& path);

  bool ShowsCurrentDay() const { return list.Source() == &app_.sampler.day; }
  const std::u16string& Title() const { return title_; }
  void SetDatedTitle() { title_ = DatedTitle(list.shownDate); }

  ListModel list;

 private:
  // Loads into a day of its own and takes it over only when the load succeeded.
  bool LoadViewedDay(const std::u16string& path, bool legacy);
  void ShowViewedDay();

  AppState& app_;
  std::u16string title_;
};

}  // namespace qm
