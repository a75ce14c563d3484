// The main window: one day's records in a virtual list, the buttons to step between days, the
// timeline and the total of the selected rows; it also owns the notification-area icon, the two
// timers and every command of the menus. Its data is the row table; everything else lives in the
// application state.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <span>
#include <vector>

#include "ui/period/period_window.h"
#include "ui/usage/app_info_window.h"
#include "ui/settings/color_config_window.h"
#include "ui/settings/command_str_config_window.h"
#include "ui/settings/config_window.h"
#include "ui/main_window/day_view.h"
#include "ui/timeline/dib_section_win32.h"
#include "ui/search/search_window.h"
#include "ui/settings/version_window.h"
#include "ui/common/dpi_win32.h"
#include "ui/common/window_base.h"
#include "ui/common/window_geometry.h"

namespace qm {

// Private messages understood by the main window.
inline constexpr UINT kTrayMessage = WM_APP + 1;
inline constexpr UINT kTimelineRedrawMessage = WM_APP + 2;
inline constexpr UINT kCommandLineMessage = WM_APP + 3;
inline constexpr UINT kSelectionSummaryMessage = WM_APP + 4;
inline constexpr UINT kShownDateMessage = WM_APP + 5;
// Posted at the end of set-up when files were set aside as unreadable: they are announced once.
inline constexpr UINT kKeptAsideMessage = WM_APP + 13;

inline constexpr wchar_t kProgramNameW[] = L"Quillmere";

// The arguments after the program's name, as the system splits its command line.
std::vector<std::u16string> CommandLineArguments();

// The date the main window shows (kShownDateMessage); the day being recorded when it shows a file
// without a date.
CalendarDate QueryShownDate(HWND mainWindow);

inline constexpr UINT_PTR kCheckTimer = 1;
inline constexpr UINT_PTR kTimelineTimer = 2;

// Marks the start of the record on `row` of the main window's list on its timeline: the red line,
// and the magnifier centred there. Nothing for a row without a record.
void MarkRowOnTimeline(HWND mainWindow, const ListModel& list, int row);
// Selects `rows` of the main window's list (after clearing its selection when `replace`) with the
// list's redrawing and the total line off, so that the total is computed once, for the last row,
// which is also scrolled into view.
void SelectListRows(HWND mainWindow, HWND list, std::span<const uint32_t> rows, bool replace);

class MainWindow : public WindowBase {
 public:
  MainWindow();
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // The dialog template becomes this object's window.
  void Attach(HWND window);
  HWND Handle() const { return window_; }
  // The modeless dialogs that take part in keyboard navigation; null while closed.
  // The modal windows run loops of their own, and the version window takes no part in navigation.
  std::vector<HWND> OpenDialogs() const { return {usage_.Handle(), search_.Handle(), period_.Handle()}; }

  void AddTrayIcon();
  void RemoveTrayIcon();
  // Set before the window's set-up: the window stays hidden, the icon is the way in.
  void StartInTray(bool inTray) { startInTray_ = inTray; }

 private:
  // Messages.
  void OnCreate();
  void OnDestroy();
  void OnSize(WPARAM kind);
  void OnClose();
  void OnTimer(UINT_PTR id);
  LRESULT OnNotify(const NMHDR& header);
  LRESULT OnControlColor(HDC dc, HWND control);
  void OnLeftButtonUp();
  void OnCaptureChanged(HWND newCapture);
  void OnAppCommand(LPARAM lParam);
  void OnTrayEvent(LPARAM mouseMessage);
  void OnDropFiles(HDROP drop);
  void OnCommandLine();
  void OnShownDateQuery(WPARAM target);
  // A day clicked in the period window: shown here, with the record at that second selected.
  void OnShowDay(WPARAM date, LPARAM seconds);
  void OnTaskbarCreated();
  void OnPowerBroadcast(WPARAM event, LPARAM data);
  // Moved to a monitor of another DPI: fonts, set-up rectangles, columns and icons follow.
  void OnDpiChanged(uint32_t dpi, const RECT& suggested);
  void AnnounceKeptAside();
  // A Run value left naming another folder is pointed at this executable.
  void RepairAutoStartPath();

  // Absences the system announces, and the icon's tip while nobody is there.
  void RegisterPresenceNotifications();
  void UnregisterPresenceNotifications();
  void OnSessionChange(WPARAM event);
  void OnPowerSetting(const POWERBROADCAST_SETTING& setting);
  void OnAbsence(Absence absence, bool begins);
  void UpdateAwayTip();

  // Set-up and layout.
  void RecordSetUpRectangles();
  void RestorePlacement();
  void LoadToday();
  void InsertListColumns();
  void RunLayout();

  // The list.
  LRESULT OnCustomDraw(NMLVCUSTOMDRAW& draw);
  void OnGetDisplayInfo(NMLVDISPINFOW& info);
  void OnItemChanged(const NMLISTVIEW& change);
  void OnColumnClick(int column);
  void OnRowClick();
  std::vector<uint32_t> SelectedRows() const;
  void ResetHeaders();
  void SetHeaderText(int column, const std::u16string& text);
  // Item count, repaint and timeline after the shown day changed; `retitle` also sets the title.
  void ShowViewChange();
  void UpdateItemCount();

  // The timeline image.
  void RecreateTimelineImage();
  void SetTimelineImage(HBITMAP bitmap);
  void RedrawTimeline(const POINT* point);
  void TimelineTick();
  POINT TimelineCursor() const;
  bool Dragging() const { return dragAnchor_.x != -1 || dragAnchor_.y != -1; }
  void SelectRecordAt(const DayLog& day, int32_t seconds);
  void SelectDraggedRecords(const DayLog& day, int32_t anchorSeconds, int32_t seconds);

  // Commands.
  void OnCommand(WORD id, WORD code);
  void OpenLog();
  void RestoreWindow();
  void CopyRows(OutputFormat format);
  void SaveList(OutputFormat format);
  void SaveUsage();
  void SaveColors();
  void OpenColors();
  void SetColorMode(ColorMode mode);
  void UpdateColorMarks();
  void ChangeColor();
  void ShowRowMenu();
  void StartTimelineDrag();
  void AfterColorChange();
  bool ShowFile(const std::u16string& path);
  bool LoadColors(const std::u16string& path);
  void OpenFiles(std::span<const std::u16string> names);
  void OnCheckTimer();
  // The entry in progress goes into the day before the program ends.
  void RecordOpenEntryNow();
  void StartTimers();
  void StartTimer(UINT_PTR id, int32_t periodMs);
  void ShowSaveResult(bool saved, HWND owner);
  // The settings, colour settings and version windows.
  void OpenSettings();
  void OpenColorSettings();
  void SaveSettingsNow();
  void SaveIniNow();
  // SaveAll at exit; while the day cannot be written, asks whether to try again.
  void SaveAllAtExit();

 public:
  // Stores the placement, writes the settings and the current day, runs the automatic exports.
  // `dayFailure` tells why the day was not written.
  bool SaveAll(SaveFailure* dayFailure = nullptr);

 private:
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  UINT taskbarCreated_ = 0;
  uint32_t dpi_ = 96;
  OwnedFont dpiFont_;  // the dialog font made anew for a DPI the template's font was not made for
  // At set-up (rescaled at a DPI change), in client coordinates: the client area's size and the
  // controls' rectangles.
  Size clientAtSetUp_;
  Rect listAtSetUp_;
  Rect controlsAtSetUp_[7];  // buttons 1032, 1033, 1031, 1030, statics 1040, 1042, 1041
  DayView view_;
  bool selectionSummary_ = true;
  POINT dragAnchor_ = {-1, -1};
  DIBSection timeline_;
  TimelineState timelineState_;
  AppInfoWindow usage_;
  SearchWindow search_;
  PeriodWindow period_;
  CommandStrConfigWindow commandStrWindow_;
  ConfigWindow configWindow_{&commandStrWindow_};
  ColorConfigWindow colorWindow_;
  VersionWindow versionWindow_;
  bool startInTray_ = false;
  std::vector<std::u16string> keptAside_;  // files set aside at start-up, not yet announced
  HPOWERNOTIFY displayNotifications_[2] = {};
  bool tipSaysAway_ = false;

  // Set while the exit confirmation is on screen, so a second close request is ignored.
  static bool confirmShowing_;
};

}  // namespace qm
