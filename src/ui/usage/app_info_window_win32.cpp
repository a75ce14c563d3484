#include "ui/usage/app_info_window.h"

#include <algorithm>
#include <cstring>

#include "app/app_state.h"
#include "output/clipboard_text.h"
#include "platform/clipboard.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/dpi_scale.h"
#include "ui/common/dpi_win32.h"
#include "ui/common/list_texts.h"
#include "ui/common/list_view.h"
#include "ui/main_window/main_window.h"
#include "ui/common/resource_ids.h"
#include "ui/period/period_steps.h"
#include "ui/period/period_texts.h"
#include "storage/ini_settings.h"
#include "core/fixed_string.h"
#include "ui/usage/usage_cells.h"

namespace qm {
namespace {

constexpr int kButtons[5] = {IDC_USAGE_PREV, IDC_USAGE_NEXT, IDC_USAGE_PERIOD, IDC_USAGE_OUTPUT, IDC_USAGE_CLOSE};
constexpr int kColumnFormats[kUsageColumnCount] = {LVCFMT_LEFT, LVCFMT_RIGHT, LVCFMT_RIGHT, LVCFMT_LEFT, LVCFMT_RIGHT};
constexpr DWORD kListExtendedStyles = LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_LABELTIP;

}  // namespace

void AppInfoWindow::Refill(const DayLog* day) {
  if (day == nullptr) return;
  AggregateUsage(*day, table_);
  index_.Rebuild(table_);
}

INT_PTR AppInfoWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return 1;
    case WM_SIZE: OnSize(wParam); return 1;
    case WM_SYSCOMMAND: return OnSystemCommand(wParam);
    case WM_CLOSE: EndDialog(window, 1); return 1;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lParam);
      return header.idFrom == IDC_USAGE_LIST ? OnNotify(header) : 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_USAGE_PERIOD && HIWORD(wParam) == CBN_SELCHANGE) OnPeriodChosen();
      return OnCommand(LOWORD(wParam));
    case WM_APPCOMMAND: OnAppCommand(lParam); return 1;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam)); return 0;
    case kPeriodReadyMessage: OnPeriodReady(); return 1;
    default: return 0;
  }
}

void AppInfoWindow::OnInitDialog(HWND window) {
  window_ = window;
  dpi_ = WindowDpi(window_);
  list_ = GetDlgItem(window_, IDC_USAGE_LIST);
  InsertColumns();
  clientAtSetUp_ = ClientSizeOf(window_);
  listAtSetUp_ = ControlRectInClient(window_, list_);
  for (int i = 0; i < 5; ++i) buttonsAtSetUp_[i] = ControlRectInClient(window_, GetDlgItem(window_, kButtons[i]));
  WINDOWPLACEMENT placement;
  std::memcpy(&placement, &App().settings.usagePlacement, sizeof placement);
  if (placement.length == sizeof placement) SetWindowPlacement(window_, &placement);
  RunLayout();
  SetWindowIcons(window_, IDI_USAGE);
  FillPeriodChoice();
}

// The system rescales the dialog's font and controls and sends the new size; the rectangles the
// layout starts from and the columns follow here.
void AppInfoWindow::OnDpiChanged(uint32_t dpi) {
  if (dpi == 0 || dpi == dpi_) return;
  clientAtSetUp_ = RescaleSize(clientAtSetUp_, dpi_, dpi);
  listAtSetUp_ = RescaleRect(listAtSetUp_, dpi_, dpi);
  for (Rect& button : buttonsAtSetUp_) button = RescaleRect(button, dpi_, dpi);
  RescaleListColumns(list_, kUsageColumnCount, dpi_, dpi);
  dpi_ = dpi;
  SetWindowIcons(window_, IDI_USAGE);
}

void AppInfoWindow::InsertColumns() {
  const AppSettings& settings = App().settings;
  for (int c = 0; c < kUsageColumnCount; ++c) {
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = kColumnFormats[c];
    column.cx = ToDpi(settings.usageColumnWidths[c], dpi_);
    column.iSubItem = c;
    ListView_InsertColumn(list_, c, &column);
  }
  if (IsColumnOrder(settings.usageColumnOrder, kUsageColumnCount)) {
    int order[kUsageColumnCount];
    std::copy_n(settings.usageColumnOrder, kUsageColumnCount, order);
    ListView_SetColumnOrderArray(list_, kUsageColumnCount, order);
  }
  ListView_SetExtendedListViewStyle(list_, kListExtendedStyles);
  ShowTable();
}

void AppInfoWindow::TakeColumnWidths() {
  StoreListColumnWidths(list_, kUsageColumnCount, App().settings.usageColumnWidths);
}

void AppInfoWindow::WriteHeaders(int sortColumn) {
  // Widths the user dragged since the window opened stay: the headers are written with them.
  TakeColumnWidths();
  const AppSettings& settings = App().settings;
  for (int c = 0; c < kUsageColumnCount; ++c) {
    const std::u16string text = UsageHeaderText(c, sortColumn, settings.usageSortDescending != 0);
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = kColumnFormats[c];
    column.cx = ToDpi(settings.usageColumnWidths[c], dpi_);
    column.pszText = const_cast<wchar_t*>(Wide(text.c_str()));
    ListView_SetColumn(list_, c, &column);
  }
}

void AppInfoWindow::ShowTable() {
  AppState& app = App();
  ListView_SetItemCountEx(list_, index_.RowCount(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  SortUsageRows(index_, app.settings, app.pool, app.settings.usageSortColumn);
  WriteHeaders(app.settings.usageSortColumn);
  InvalidateRect(list_, nullptr, TRUE);
}

// However the window goes (closed, or destroyed with its owner when the program ends from the
// notification area) its layout is kept and its handle forgotten.
void AppInfoWindow::OnDestroy() {
  if (window_ == nullptr) return;
  HWND window = window_;
  window_ = nullptr;
  job_.Stop();
  App().pool.Release(UserPeriod);
  SaveChoice();
  TakeColumnWidths();
  AppSettings& settings = App().settings;
  int order[kUsageColumnCount];
  if (ListView_GetColumnOrderArray(list_, kUsageColumnCount, order)) {
    std::copy_n(order, kUsageColumnCount, settings.usageColumnOrder);
  }
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (GetWindowPlacement(window, &placement)) {
    if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE) {
      placement.showCmd = placement.flags == WPF_RESTORETOMAXIMIZED ? SW_SHOWMAXIMIZED : SW_RESTORE;
    }
    std::memcpy(&settings.usagePlacement, &placement, sizeof placement);
  }
}

void AppInfoWindow::OnSize(WPARAM kind) {
  // Minimised some other way than its minimise box, it stays a minimised window that can be restored:
  // hidden, it could never come back while its owner waits for it.
  if (kind != SIZE_MINIMIZED) RunLayout();
}

INT_PTR AppInfoWindow::OnSystemCommand(WPARAM command) {
  if ((command & 0xFFF0) != SC_MINIMIZE) return 0;
  // The minimise box takes the main window, which hides in the notification area, and this window
  // with it; the main window brings it back when it is restored.
  ShowWindow(window_, SW_HIDE);
  ShowWindow(GetWindow(window_, GW_OWNER), SW_MINIMIZE);
  return 1;
}

void AppInfoWindow::ShowWithOwner() {
  if (window_ != nullptr && !IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);
}

// In client coordinates, like the main window, so that the frame and caption change nothing.
void AppInfoWindow::RunLayout() {
  const Size client = ClientSizeOf(window_);
  MoveControl(list_, LayoutInClient(Anchor::Stretch, listAtSetUp_, clientAtSetUp_, client));
  const int32_t dW = client.width - clientAtSetUp_.width;
  for (int i = 0; i < 5; ++i) {
    Rect r = LayoutInClient(Anchor::Bottom, buttonsAtSetUp_[i], clientAtSetUp_, client);
    if (kButtons[i] == IDC_USAGE_CLOSE) r.left += dW, r.right += dW;  // "close" keeps to the right edge
    MoveControl(GetDlgItem(window_, kButtons[i]), r);
  }
  InvalidateRect(window_, nullptr, TRUE);
}

INT_PTR AppInfoWindow::OnCommand(WORD id) {
  switch (id) {
    case IDC_USAGE_PREV: StepDay(CMD_PREV_DAY); return 1;
    case IDC_USAGE_NEXT: StepDay(CMD_NEXT_DAY); return 1;
    case IDC_USAGE_OUTPUT: PostMessageW(GetWindow(window_, GW_OWNER), WM_COMMAND, CMD_SAVE_USAGE, 0); return 1;
    case IDC_USAGE_CLOSE: PostMessageW(window_, WM_CLOSE, 0, 0); return 1;
    case CMD_COPY: CopyRows(OutputFormat::Text); return 1;
    case CMD_COPY_CSV: CopyRows(OutputFormat::Csv); return 1;
    case CMD_CHANGE_COLOR: ChangeColor(); return 1;
    default: return 0;
  }
}

void AppInfoWindow::OnAppCommand(LPARAM lParam) {
  const int command = GET_APPCOMMAND_LPARAM(lParam);
  if (command == APPCOMMAND_BROWSER_BACKWARD) StepDay(CMD_PREV_DAY);
  if (command == APPCOMMAND_BROWSER_FORWARD) StepDay(CMD_NEXT_DAY);
}

void AppInfoWindow::StepDay(WORD command) {
  if (period_ != UsagePeriod::Day) {
    anchor_ = StepPeriod(period_, anchor_, command == CMD_NEXT_DAY);
    StartPeriod();
    return;
  }
  HWND owner = GetWindow(window_, GW_OWNER);
  SendMessageW(owner, WM_COMMAND, command, 0);
  SendMessageW(owner, WM_COMMAND, CMD_USAGE_REFRESH, 0);
  ShowTable();
}

INT_PTR AppInfoWindow::OnNotify(NMHDR& header) {
  switch (header.code) {
    case LVN_GETDISPINFOW: OnGetDisplayInfo(reinterpret_cast<NMLVDISPINFOW&>(header)); return 0;
    case NM_CUSTOMDRAW: return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
    case LVN_COLUMNCLICK: OnColumnClick(reinterpret_cast<NMLISTVIEW&>(header).iSubItem); return 0;
    case NM_RCLICK: ShowRowMenu(); return 0;
    case NM_DBLCLK: ChangeColor(); return 0;
    default: return 0;
  }
}

void AppInfoWindow::OnGetDisplayInfo(NMLVDISPINFOW& info) {
  if ((info.item.mask & LVIF_TEXT) == 0 || info.item.iItem < 0) return;
  CopyToCell(info, UsageCellText(index_, App().pool, static_cast<uint32_t>(info.item.iItem), info.item.iSubItem));
}

INT_PTR AppInfoWindow::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT) return CDRF_DODEFAULT;
  if (const AppUsageEntry* entry = index_.EntryOfRow(static_cast<uint32_t>(draw.nmcd.dwItemSpec))) {
    draw.clrTextBk = UsageRowColor(App().colors, entry->exeKey);
  }
  return CDRF_NEWFONT;
}

std::vector<uint32_t> AppInfoWindow::SelectedRows() const { return SelectedListRows(list_); }

void AppInfoWindow::OnColumnClick(int column) {
  if (column < 0 || column >= kUsageColumnCount) return;
  AppState& app = App();
  const std::vector<uint32_t> rows = ClickUsageColumn(index_, app.settings, app.pool, column, SelectedRows());
  WriteHeaders(column);
  SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
  for (uint32_t row : rows) ListView_SetItemState(list_, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
  if (!rows.empty()) ListView_EnsureVisible(list_, static_cast<int>(rows.back()), TRUE);
  SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_, nullptr, TRUE);
}

void AppInfoWindow::ShowRowMenu() {
  std::vector<WORD> greyed;
  if (ListView_GetNextItem(list_, -1, LVNI_SELECTED) == -1) {
    greyed = {CMD_COPY, CMD_COPY_CSV};
    const ColorMode mode = App().colors.mode;
    if (mode != ColorMode::PerHour && mode != ColorMode::NoColor) greyed.push_back(CMD_CHANGE_COLOR);
  }
  TrackMenuResource(window_, L"MAIN_POPUP_MENU", TPM_LEFTALIGN | TPM_LEFTBUTTON, greyed);
}

void AppInfoWindow::ChangeColor() {
  AppState& app = App();
  const auto choose = [&](ColorRef initial, ColorRef* chosen) {
    return ChooseColorFrom(window_, initial, app.settings.customColors, chosen);
  };
  if (!ChangeUsageColors(app.colors, index_, SelectedRows(), choose)) return;
  // The new colours show at once, here and in the main window's list and timeline behind.
  HWND owner = GetWindow(window_, GW_OWNER);
  InvalidateRect(list_, nullptr, TRUE);
  InvalidateRect(GetDlgItem(owner, IDC_RECORD_LIST), nullptr, TRUE);
  PostMessageW(owner, kTimelineRedrawMessage, 0, 0);
}

void AppInfoWindow::FillPeriodChoice() {
  HWND choice = GetDlgItem(window_, IDC_USAGE_PERIOD);
  SendMessageW(choice, CB_RESETCONTENT, 0, 0);
  for (const TextId text : kPeriodChoiceTexts) SendMessageW(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(Tr(text))));
  period_ = App().ini.usagePeriod;
  anchor_ = QueryShownDate(GetWindow(window_, GW_OWNER));
  SendMessageW(choice, CB_SETCURSEL, static_cast<WPARAM>(period_), 0);
  if (period_ != UsagePeriod::Day) StartPeriod();
}

void AppInfoWindow::OnPeriodChosen() {
  const LRESULT chosen = SendMessageW(GetDlgItem(window_, IDC_USAGE_PERIOD), CB_GETCURSEL, 0, 0);
  if (chosen < 0 || chosen > 2 || static_cast<UsagePeriod>(chosen) == period_) return;
  if (period_ == UsagePeriod::Day) anchor_ = QueryShownDate(GetWindow(window_, GW_OWNER));
  period_ = static_cast<UsagePeriod>(chosen);
  SaveChoice();
  if (period_ != UsagePeriod::Day) return StartPeriod();
  // Back to the main window's day.
  job_.Stop();
  SetCounting(false);
  App().pool.Release(UserPeriod);
  SetWindowTextW(window_, Wide(Tr(TextId::UsageCaption)));
  SendMessageW(GetWindow(window_, GW_OWNER), WM_COMMAND, CMD_USAGE_REFRESH, 0);
  ShowTable();
}

void AppInfoWindow::SaveChoice() {
  AppState& app = App();
  if (app.ini.usagePeriod == period_) return;
  app.ini.usagePeriod = period_;
  if (!SaveIniSettings(app.env, app.ini)) {
    MessageBoxW(window_ ? window_ : GetActiveWindow(), Wide(Tr(TextId::PeriodNotSaved)), Wide(Tr(TextId::UsageCaption)),
                MB_ICONERROR);
  }
}

// Until the new totals are ready the list is empty and "output" greyed, so that nothing of the
// previous period is copied or saved under the new one's name; the caption says they are coming.
void AppInfoWindow::StartPeriod() {
  AppState& app = App();
  SetCounting(true);
  range_ = PeriodRange(period_, anchor_);
  SetWindowTextW(window_, Wide(PeriodCaptionText(TextId::UsageCaption, range_, true, {}).c_str()));
  const LocalTime& now = app.sampler.lastTick;
  const DayInMemory today{{now.year, now.month, now.day}, &app.sampler.day, &app.pool};
  HWND window = window_;
  job_.Start(app.env, {std::u16string(ArrayText(app.settings.logDialog.folder))}, range_, &today,
             [window] { PostMessageW(window, kPeriodReadyMessage, 0, 0); });
}

void AppInfoWindow::OnPeriodReady() {
  std::unique_ptr<PeriodUsage> period = job_.Take();
  if (period == nullptr || period_ == UsagePeriod::Day) return;
  SetCounting(false);
  AppState& app = App();
  app.pool.Release(UserPeriod);
  AcquirePeriodPaths(*period, app.pool, UserPeriod);
  table_ = std::move(period->usage);
  index_.Rebuild(table_);
  ShowTable();
  std::vector<std::u16string> names;
  for (const std::u16string& path : period->unreadable) names.push_back(app.env.FindFileName(path));
  SetWindowTextW(window_, Wide(PeriodCaptionText(TextId::UsageCaption, range_, false, names).c_str()));
}

void AppInfoWindow::SetCounting(bool counting) {
  counting_ = counting;
  EnableWindow(GetDlgItem(window_, IDC_USAGE_OUTPUT), counting ? FALSE : TRUE);
  if (!counting) return;
  table_ = UsageTable();
  index_.Rebuild(table_);
  ShowTable();
}

void AppInfoWindow::CopyRows(OutputFormat format) {
  CopyTextToClipboard(UsageRowsText(App(), index_, SelectedRows(), format));
}

}  // namespace qm
