// The main window's commands, popup menus, notification-area icon, dropped files and save points.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstring>

#include "storage/color_file.h"
#include "app/auto_start.h"
#include "app/check_timer.h"
#include "core/fixed_string.h"
#include "app/sampler.h"
#include "output/auto_export.h"
#include "output/clipboard_text.h"
#include "output/day_list_file.h"
#include "output/file_dialog_state.h"
#include "output/usage_file.h"
#include "output/usage_order.h"
#include "platform/clipboard.h"
#include "platform/window_system.h"
#include "storage/day_log_file.h"
#include "storage/log_folder.h"
#include "storage/settings_file.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/file_dialog.h"
#include "ui/common/list_view.h"
#include "ui/main_window/main_window.h"
#include "ui/common/resource_ids.h"

namespace qm {
namespace {

std::u16string LogFilters() {
  return Filters({{TextId::LogFilesFilter, u"*.bin2"}, {TextId::LegacyLogFilesFilter, u"*.bin"}});
}
std::u16string ListFilters() {
  return Filters({{TextId::ListTextFilter, u"*.txt"}, {TextId::ListCsvFilter, u"*.csv"}});
}
std::u16string UsageFilters() {
  return Filters({{TextId::UsageTextFilter, u"*.txt"}, {TextId::ListCsvFilter, u"*.csv"}});
}

std::u16string FromWide(const wchar_t* text) { return std::u16string(reinterpret_cast<const char16_t*>(text)); }

OutputFormat FormatOfFilter(int filterIndex) { return filterIndex == 2 ? OutputFormat::Csv : OutputFormat::Text; }

}  // namespace

void MainWindow::OnCommand(WORD id, WORD code) {
  switch (id) {
    case CMD_OPEN_LOG: OpenLog(); break;
    case CMD_TODAY:
      view_.ShowCurrentDay();
      ShowViewChange();
      break;
    case CMD_PREV_DAY:
    case CMD_NEXT_DAY:
      if (view_.StepDay(id == CMD_NEXT_DAY)) ShowViewChange();
      break;
    case CMD_TIMELINE_CLICK:
      if (code == 0) StartTimelineDrag();
      break;
    case CMD_RESTORE: RestoreWindow(); break;
    case CMD_CLOSE: PostMessageW(window_, WM_CLOSE, 0, 0); break;
    case CMD_COPY: CopyRows(OutputFormat::Text); break;
    case CMD_COPY_CSV: CopyRows(OutputFormat::Csv); break;
    case CMD_SAVE_TEXT: SaveList(OutputFormat::Text); break;
    case CMD_SAVE_CSV: SaveList(OutputFormat::Csv); break;
    case CMD_SAVE_USAGE: SaveUsage(); break;
    case CMD_SAVE_COLORS: SaveColors(); break;
    case CMD_OPEN_COLORS: OpenColors(); break;
    case CMD_COLOR_GENERIC: SetColorMode(ColorMode::Generic); break;
    case CMD_COLOR_PER_APPLICATION: SetColorMode(ColorMode::PerApplication); break;
    case CMD_COLOR_PER_HOUR: SetColorMode(ColorMode::PerHour); break;
    case CMD_COLOR_NONE: SetColorMode(ColorMode::NoColor); break;
    case CMD_CHANGE_COLOR: ChangeColor(); break;
    case CMD_USAGE_REFRESH: usage_.Refill(view_.list.Source()); break;
    case CMD_USAGE_WINDOW:
      usage_.Refill(view_.list.Source());
      usage_.ShowModal(IDD_USAGE, window_);
      break;
    case CMD_SEARCH_NEEDS_LIST: search_.SetList(&view_.list); break;
    case CMD_SEARCH_WINDOW: search_.OpenOrClose(window_, &view_.list); break;
    case CMD_PERIOD_WINDOW: period_.OpenOrClose(window_); break;
    case CMD_SETTINGS_WINDOW: OpenSettings(); break;
    case CMD_COLOR_SETTINGS_WINDOW: OpenColorSettings(); break;
    case CMD_VERSION_WINDOW: versionWindow_.Show(window_); break;
    default: break;
  }
}

void MainWindow::OpenLog() {
  AppState& app = App();
  if (ShowOpenDialog(app.settings.logDialog, app.env, window_, Wide(LogFilters().data()), L"bin2")) {
    ShowFile(std::u16string(ArrayText(app.settings.logDialog.fullPath)));
  }
}

bool MainWindow::ShowFile(const std::u16string& path) {
  if (!view_.ShowFile(path)) return false;
  ShowViewChange();
  return true;
}

void MainWindow::RestoreWindow() {
  ShowWindowAsync(window_, SW_RESTORE);
  SetForegroundWindow(window_);
  SendMessageW(window_, WM_NULL, 0, 0);
}

void MainWindow::StartTimelineDrag() {
  SetCapture(window_);
  POINT cursor = {};
  GetCursorPos(&cursor);
  ScreenToClient(GetDlgItem(window_, IDC_TIMELINE), &cursor);
  dragAnchor_ = cursor;
}

void MainWindow::CopyRows(OutputFormat format) {
  const std::vector<uint32_t> rows = SelectedRows();
  CopyTextToClipboard(RecordRowsText(App(), view_.list, rows, format));
}

void MainWindow::ShowSaveResult(bool saved, HWND owner) {
  const wchar_t* caption = Wide(App().settings.exportDialog.fileTitle);
  if (saved) {
    MessageBoxW(owner, Wide(Tr(TextId::Saved)), caption, MB_OK);
  } else {
    MessageBoxW(owner, Wide(Tr(TextId::SaveFailed)), caption, MB_OK | MB_ICONERROR);
  }
}

void MainWindow::SaveList(OutputFormat format) {
  AppState& app = App();
  FileDialogState& dialog = app.settings.exportDialog;
  const ShownDate& date = view_.list.shownDate;
  const bool csv = format == OutputFormat::Csv;
  if (date.year != 0 || date.month != 0 || date.day != 0) {
    ProposeFileName(dialog, app.env, DayLogFileName(date.year, date.month, date.day, csv ? u"csv" : u"txt"));
  }
  const int filter =
      ShowSaveDialog(dialog, app.env, window_, Wide(ListFilters().data()), csv ? L"csv" : L"txt", csv ? 2 : 1);
  if (filter == 0) return;
  // The filter the user ended with decides the format, not the command.
  ShowSaveResult(WriteDayList(app, view_.list, std::u16string(ArrayText(dialog.fullPath)), FormatOfFilter(filter)),
                 window_);
}

void MainWindow::SaveUsage() {
  if (view_.list.Source() == nullptr) return;
  // The week or month is not totalled yet: its name must not go to another table.
  if (usage_.Handle() != nullptr && usage_.Counting()) {
    MessageBeep(MB_ICONWARNING);
    return;
  }
  AppState& app = App();
  FileDialogState& dialog = app.settings.exportDialog;
  LocalTime date;
  date.year = view_.list.shownDate.year;
  date.month = view_.list.shownDate.month;
  date.day = view_.list.shownDate.day;
  // A week or month in the usage window is saved as its totals, named by its first day and its last.
  const UsageTable* period = usage_.Handle() != nullptr ? usage_.PeriodTable() : nullptr;
  std::u16string name;
  if (period != nullptr) {
    const DateRange& range = usage_.ShownRange();
    date.year = range.first.year, date.month = range.first.month, date.day = range.first.day;
    name = u"-" + DayLogFileName(range.last.year, range.last.month, range.last.day, u"");
    name.pop_back();  // the dot before the empty extension
  }
  ProposeFileName(dialog, app.env, ExportBaseName(date, ArrayText(app.settings.usageExportName), u"%y%M%Dapp") + name);
  // From the usage window, that window owns the dialogs: owned by this window, which the usage window
  // keeps disabled, they would enable it again when they close.
  HWND owner = usage_.Handle() != nullptr ? usage_.Handle() : window_;
  const int filter = ShowSaveDialog(dialog, app.env, owner, Wide(UsageFilters().data()), L"txt", 0);
  if (filter == 0) return;
  UsageTable table;
  if (period != nullptr) {
    table = *period;
    SortUsage(table, app.settings.usageSortDescending != 0, app.settings.usageSortColumn);
  } else {
    AggregateForSaving(app, *view_.list.Source(), table);
  }
  ShowSaveResult(WriteUsageFile(app, table, std::u16string(ArrayText(dialog.fullPath)), FormatOfFilter(filter)),
                 owner);
}

void MainWindow::SaveColors() {
  AppState& app = App();
  FileDialogState& dialog = app.settings.colorDialog;
  if (ShowSaveDialog(dialog, app.env, window_, Wide(ColorFilters().data()), L"color", 1) == 0) return;
  SaveColorFile(app.env, std::u16string(ArrayText(dialog.fullPath)), app.colors, app.pool);
}

void MainWindow::OpenColors() {
  AppState& app = App();
  if (ShowOpenDialog(app.settings.colorDialog, app.env, window_, Wide(ColorFilters().data()), L"color")) {
    LoadColors(std::u16string(ArrayText(app.settings.colorDialog.fullPath)));
  }
}

bool MainWindow::LoadColors(const std::u16string& path) {
  AppState& app = App();
  if (!LoadColorFile(app.env, path, app.colors, app.pool)) return false;
  AfterColorChange();
  return true;
}

void MainWindow::AfterColorChange() {
  InvalidateRect(list_, nullptr, TRUE);
  PostMessageW(window_, kTimelineRedrawMessage, 0, 0);
  period_.Redraw();
}

void MainWindow::SetColorMode(ColorMode mode) {
  App().colors.mode = mode;
  UpdateColorMarks();
  AfterColorChange();
}

void MainWindow::UpdateColorMarks() {
  HMENU menu = GetMenu(window_);
  if (menu == nullptr) return;
  const ColorMode mode = App().colors.mode;
  const struct {
    WORD id;
    ColorMode mode;
  } items[] = {{CMD_COLOR_GENERIC, ColorMode::Generic},
               {CMD_COLOR_PER_APPLICATION, ColorMode::PerApplication},
               {CMD_COLOR_PER_HOUR, ColorMode::PerHour},
               {CMD_COLOR_NONE, ColorMode::NoColor}};
  for (const auto& item : items) {
    MENUITEMINFOW info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE;
    info.fState = item.mode == mode ? MFS_CHECKED : MFS_UNCHECKED;
    SetMenuItemInfoW(menu, item.id, FALSE, &info);
  }
}

void MainWindow::ChangeColor() {
  AppState& app = App();
  std::vector<ActivityRecord> selected;
  for (uint32_t row : SelectedRows()) {
    if (const uint8_t* record = view_.list.RecordOfRow(row)) selected.push_back(ReadRecordHeader(record));
  }
  const auto choose = [&](ColorRef initial, ColorRef* chosen) {
    return ChooseColorFrom(window_, initial, app.settings.customColors, chosen);
  };
  if (!ChangeRecordColors(app.colors, selected, choose)) return;
  AfterColorChange();
}

void MainWindow::ShowRowMenu() {
  std::vector<WORD> greyed;
  if (ListView_GetNextItem(list_, -1, LVNI_SELECTED) == -1) greyed = {CMD_COPY, CMD_COPY_CSV, CMD_CHANGE_COLOR};
  TrackMenuResource(window_, L"MAIN_POPUP_MENU", TPM_LEFTALIGN | TPM_LEFTBUTTON, greyed);
}

void MainWindow::OnTrayEvent(LPARAM mouseMessage) {
  if (mouseMessage == WM_LBUTTONDOWN) {
    RestoreWindow();
  } else if (mouseMessage == WM_RBUTTONDOWN) {
    SetForegroundWindow(window_);
    TrackMenuResource(window_, L"TASKTRAY_POPUP_MENU", TPM_BOTTOMALIGN);
    SendMessageW(window_, WM_NULL, 0, 0);
  }
}

void MainWindow::OpenFiles(std::span<const std::u16string> names) {
  OpenDroppedFiles(
      names, [this](const std::u16string& path) { return LoadColors(path); },
      [this](const std::u16string& path) { return ShowFile(path); });
}

void MainWindow::OnDropFiles(HDROP drop) {
  std::vector<std::u16string> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    DragQueryFileW(drop, i, name.data(), length + 1);
    names.push_back(FromWide(name.c_str()));
  }
  DragFinish(drop);
  OpenFiles(names);
}

std::vector<std::u16string> CommandLineArguments() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::vector<std::u16string> names;
  for (int i = 1; i < count; ++i) names.push_back(FromWide(arguments[i]));
  LocalFree(arguments);
  return names;
}

void MainWindow::OnCommandLine() {
  const StartArguments start = ParseStartArguments(CommandLineArguments());
  if (!start.files.empty()) OpenFiles(start.files);
}

void MainWindow::OnClose() {
  if (!App().settings.confirmExit) {
    DestroyWindow(window_);
    return;
  }
  if (confirmShowing_) return;
  confirmShowing_ = true;
  if (AskYesNo(window_, TextId::ConfirmExit)) DestroyWindow(window_);
  confirmShowing_ = false;
}

void MainWindow::OnDestroy() {
  KillTimer(window_, kCheckTimer);  // nothing more is recorded, even while a message is up
  UnregisterPresenceNotifications();
  RecordOpenEntryNow();
  SaveAllAtExit();
  ShowWindow(window_, SW_HIDE);
  PostQuitMessage(0);
}

bool MainWindow::SaveAll(SaveFailure* dayFailure) {
  AppState& app = App();
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (GetWindowPlacement(window_, &placement)) std::memcpy(&app.settings.mainPlacement, &placement, sizeof placement);
  const bool settingsSaved = SaveSettingsFile(app);
  const LocalTime day = app.sampler.lastTick;
  const bool daySaved = SaveRecordingDay(app, app.journal, dayFailure);
  RunAutoExport(app, day);
  return settingsSaved && daySaved;
}

void MainWindow::RecordOpenEntryNow() { RecordOpenEntry(App()); }

void MainWindow::OnCheckTimer() {
  const CheckTimerResult result =
      RunCheckTimer(App(), DefaultWindowSystem(), view_.list, [this] { return SaveAll(); });
  UpdateAwayTip();
  if (!result.changed) return;
  if (result.retitle) {
    view_.SetDatedTitle();
    SetWindowTextW(window_, Wide(view_.Title().c_str()));
  }
  UpdateItemCount();
  // The picture gets its new bars now, not when the mouse next passes over it.
  if (result.listChanged) PostMessageW(window_, kTimelineRedrawMessage, 0, 0);
}

}  // namespace qm
