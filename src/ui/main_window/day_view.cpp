#include "ui/main_window/day_view.h"

#include <cstdio>
#include <utility>

#include "core/fixed_string.h"
#include "platform/path_util.h"
#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "storage/legacy_day_log_file.h"
#include "storage/log_folder.h"

namespace qm {
namespace {

inline constexpr size_t kTitleLimit = 256;

}  // namespace

std::u16string DatedTitle(const ShownDate& date) {
  char digits[48];
  std::snprintf(digits, sizeof digits, " [%d/%d/%d]", date.year, date.month, date.day);
  return kProgramName + FromUtf8(digits);
}

std::u16string FileTitle(std::u16string_view fileName) {
  std::u16string title = std::u16string(kProgramName) + u" [" + std::u16string(fileName) + u"]";
  if (title.size() > kTitleLimit - 1) title.resize(kTitleLimit - 1);
  return title;
}

ShownDate PreviousDate(ShownDate date) {
  if (--date.day < 1) {
    date.day = 31;
    if (--date.month < 1) {
      date.month = 12;
      --date.year;
    }
  }
  return date;
}

ShownDate NextDate(ShownDate date) {
  if (++date.day > 31) {
    date.day = 1;
    if (++date.month > 12) {
      date.month = 1;
      ++date.year;
    }
  }
  return date;
}

void DayView::ShowCurrentDay() {
  app_.viewedDay.Clear();
  app_.pool.Release(UserViewedDay);
  list.Rebuild(app_.sampler.day);
  const LocalTime& now = app_.sampler.lastTick;
  list.shownDate = {now.year, now.month, now.day};
  SetDatedTitle();
}

bool DayView::LoadViewedDay(const std::u16string& path, bool legacy) {
  // The loaders empty the viewed day whatever happens, so the shown records wait aside meanwhile.
  // Swapping contents keeps the list's pointer to the viewed day valid.
  DayLog shown, loaded;
  std::swap(app_.viewedDay, shown);
  const bool ok = legacy ? LoadLegacyDayLogFile(app_, loaded, path, UserViewedDay)
                         : LoadDayLogFile(app_, loaded, path, UserViewedDay);
  std::swap(app_.viewedDay, ok ? loaded : shown);
  return ok;
}

void DayView::ShowViewedDay() { list.Rebuild(app_.viewedDay); }

bool DayView::ShowDayByDate(const ShownDate& date) {
  const std::u16string folder(ArrayText(app_.settings.logDialog.folder));
  const auto pathOf = [&](std::u16string_view extension) {
    return app_.env.CombinePath(folder, DayLogFileName(date.year, date.month, date.day, extension));
  };
  if (!LoadViewedDay(pathOf(u"bin2"), false) && !LoadViewedDay(pathOf(u"bin"), true)) return false;
  ShowViewedDay();
  list.shownDate = date;
  SetDatedTitle();
  return true;
}

bool DayView::StepDay(bool forward) {
  ShownDate date = list.shownDate;
  for (int failed = 0; failed < kDayStepAttempts; ++failed) {
    date = forward ? NextDate(date) : PreviousDate(date);
    if (ShowsDate(date, app_.sampler.lastTick)) {
      ShowCurrentDay();
      return true;
    }
    if (ShowDayByDate(date)) return true;
  }
  return false;
}

bool DayView::ShowFile(const std::u16string& path) {
  bool loaded = false;
  if (path_util::HasExtension(path, u".bin2")) {
    loaded = LoadViewedDay(path, false);
  } else if (path_util::HasExtension(path, u".bin")) {
    loaded = LoadViewedDay(path, true);
  }
  if (!loaded) return false;
  ShowViewedDay();
  const std::u16string name = app_.env.FindFileName(path);
  if (const auto date = DateOfDayLogName(name)) {
    list.shownDate = {date->year, date->month, date->day};
    SetDatedTitle();
  } else {
    list.shownDate = {};
    title_ = FileTitle(name);
    CopyToArray(app_.settings.exportDialog.fileTitle, name);
  }
  return true;
}

}  // namespace qm
