// The period window "期間の表示": the chosen week or month as one timeline strip per day. Hovering
// shows the date, time, title and program under the mouse (a right click copies it); a click opens
// that day in the main window.
// A modeless dialog owned by the main window, with the usage window's period choice and steps.
#pragma once

#include <windows.h>

#include <memory>

#include "output/period_usage.h"
#include "storage/ini_settings.h"
#include "ui/common/window_base.h"
#include "ui/period/period_job.h"
#include "ui/period/period_picture.h"
#include "ui/timeline/dib_section_win32.h"

namespace qm {

// Sent to the main window by a click on a day: wParam the date (year << 16 | month << 8 | day),
// lParam the second of the day.
inline constexpr UINT kShowDayMessage = WM_APP + 14;

class PeriodWindow : public DialogWindowBase {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // Closes the window when it is open; otherwise opens it on the period around the main window's day.
  void OpenOrClose(HWND owner);
  HWND Handle() const { return window_; }
  // Repaints after the colours changed.
  void Redraw();

 private:
  void OnInitDialog(HWND window);
  void OnDestroy();
  INT_PTR OnCommand(WORD id, WORD code);
  void OnSize();
  // The system rescales the dialog's font and controls and sends the new size; the picture follows.
  void OnDpiChanged(uint32_t dpi);
  void OnTimer();
  void OnPeriodReady();
  void OnPictureClick();
  void CopyHoverText();

  void StartPeriod();
  void RecreateImage();
  void Render(Point mouse);
  Point PictureCursor() const;
  PeriodLayout Layout() const;
  // The hover text of a point of the picture, reading the day's records when the day changes.
  std::u16string HoverTextAt(const PeriodHit& hit);
  const DayLog* DayOf(const CalendarDate& date, const StringPool** pool);

  HWND window_ = nullptr;
  HWND picture_ = nullptr;
  uint32_t dpi_ = 96;
  UsagePeriod period_ = UsagePeriod::Week;
  CalendarDate anchor_;
  PeriodUsage shown_;
  PeriodJob job_;
  DIBSection image_;
  Point lastCursor_ = kNoPoint;
  Rect pictureAtSetUp_;
  Rect hoverAtSetUp_;
  // The day under the mouse, read once for its records.
  CalendarDate hoverDate_;
  bool hoverLoaded_ = false;
  DayLog hoverDay_;
  StringPool hoverPool_;
};

}  // namespace qm
