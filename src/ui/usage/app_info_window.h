// The application-usage window: a modal dialog with the usage statistics of the day that the main
// window shows, one row per program. It sorts by any column, copies rows, changes the programs'
// colours, steps the main window's day and saves the statistics.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "core/day_log.h"
#include "output/compiled_template.h"
#include "output/usage_index_list.h"
#include "output/usage_table.h"
#include "ui/common/window_base.h"
#include "ui/common/window_geometry.h"
#include "storage/ini_settings.h"
#include "ui/period/period_job.h"

namespace qm {

// Posted by the period job to the window that started it when its result is ready.
inline constexpr UINT kPeriodReadyMessage = WM_APP + 20;

class AppInfoWindow : public DialogWindowBase {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // The statistics of `day` afresh, in entry order; without a day the table stays as it was.
  void Refill(const DayLog* day);
  // The totals of the week or month shown, or nullptr in the day period (the main window's day).
  const UsageTable* PeriodTable() const { return period_ == UsagePeriod::Day ? nullptr : &table_; }
  const DateRange& ShownRange() const { return range_; }
  // A week or month is being totalled: nothing of it can be saved or copied yet.
  bool Counting() const { return counting_; }
  // The dialog while it is open, else null.
  HWND Handle() const { return window_; }
  // Shows the dialog again when the main window comes back from the notification area.
  void ShowWithOwner();

 private:
  void OnInitDialog(HWND window);
  void OnDestroy();
  void OnSize(WPARAM kind);
  INT_PTR OnSystemCommand(WPARAM command);
  INT_PTR OnCommand(WORD id);
  INT_PTR OnNotify(NMHDR& header);
  void OnAppCommand(LPARAM lParam);
  void OnDpiChanged(uint32_t dpi);

  void InsertColumns();
  // The widths the list shows now, into the settings.
  void TakeColumnWidths();
  void WriteHeaders(int sortColumn);
  void OnGetDisplayInfo(NMLVDISPINFOW& info);
  INT_PTR OnCustomDraw(NMLVCUSTOMDRAW& draw);
  void OnColumnClick(int column);
  void ShowRowMenu();
  void ChangeColor();
  void CopyRows(OutputFormat format);
  void StepDay(WORD command);
  void RunLayout();
  std::vector<uint32_t> SelectedRows() const;
  // Item count, sort by the stored column, headers and a repaint after the table was refilled.
  void ShowTable();
  // The period choice: 日 follows the main window's day, 週 and 月 total the period around anchor_.
  void FillPeriodChoice();
  void OnPeriodChosen();
  void StartPeriod();
  void OnPeriodReady();
  void SaveChoice();
  void SetCounting(bool counting);

  UsagePeriod period_ = UsagePeriod::Day;
  bool counting_ = false;
  CalendarDate anchor_;
  DateRange range_;
  PeriodJob job_;
  HWND window_ = nullptr;
  HWND list_ = nullptr;
  UsageTable table_;
  UsageIndexList index_;
  uint32_t dpi_ = 96;
  // At set-up (rescaled at a DPI change), in client coordinates.
  Size clientAtSetUp_;
  Rect listAtSetUp_;
  Rect buttonsAtSetUp_[5];  // "<", ">", the period choice, "output", "close"
};

}  // namespace qm
