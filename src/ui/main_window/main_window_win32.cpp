// The main window's message dispatch, set-up, layout and notification-area icon.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstring>
#include <utility>

#include "app/journal_recovery.h"
#include "core/fixed_string.h"
#include "output/compiled_template.h"
#include "storage/day_log_file.h"
#include "storage/settings_file.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/dpi_scale.h"
#include "ui/main_window/main_window.h"
#include "ui/common/resource_ids.h"

namespace qm {
namespace {

// The controls that ride on the bottom edge, in the order of controlsAtSetUp_.
constexpr int kBottomControls[7] = {IDC_PREV_DAY, IDC_NEXT_DAY, IDC_TODAY, IDC_OPEN_LOG,
                                    IDC_HOVER_TEXT, IDC_TOTAL_TEXT, IDC_TIMELINE};

static_assert(sizeof(WINDOWPLACEMENT) == sizeof(WindowPlacement));

}  // namespace

bool MainWindow::confirmShowing_ = false;

MainWindow::MainWindow() : view_(App()) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
}

void MainWindow::Attach(HWND window) {
  window_ = window;
  Bind(window);
}

LRESULT MainWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: OnCreate(); return 0;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_SIZE: OnSize(wParam); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) PostMessageW(window_, kTimelineRedrawMessage, 0, 0);
      return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_ENDSESSION:
      RecordOpenEntryNow();
      SaveAll();
      break;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == IDC_RECORD_LIST) return OnNotify(header);
      break;
    }
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_CTLCOLORSTATIC: return OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_MOUSEMOVE: return 0;
    case WM_LBUTTONUP: OnLeftButtonUp(); return 0;
    case WM_CAPTURECHANGED: OnCaptureChanged(reinterpret_cast<HWND>(lParam)); return 0;
    case WM_LBUTTONDBLCLK: PostMessageW(window_, WM_COMMAND, CMD_USAGE_WINDOW, 0); return 0;
    case WM_RBUTTONDBLCLK: PostMessageW(window_, WM_COMMAND, CMD_SETTINGS_WINDOW, 0); return 0;
    case WM_POWERBROADCAST: OnPowerBroadcast(wParam, lParam); break;
    case WM_WTSSESSION_CHANGE: OnSessionChange(wParam); return 0;
    case WM_DROPFILES: OnDropFiles(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_APPCOMMAND: OnAppCommand(lParam); return 0;
    case kTrayMessage: OnTrayEvent(lParam); return 0;
    case kTimelineRedrawMessage: RedrawTimeline(reinterpret_cast<const POINT*>(wParam)); return 0;
    case kCommandLineMessage: OnCommandLine(); return 0;
    case kSelectionSummaryMessage: selectionSummary_ = wParam != 0; return 0;
    case kShownDateMessage: OnShownDateQuery(wParam); return 0;
    case kShowDayMessage: OnShowDay(wParam, lParam); return 0;
    case kKeptAsideMessage: AnnounceKeptAside(); return 0;
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    default:
      if (taskbarCreated_ != 0 && message == taskbarCreated_) OnTaskbarCreated();
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void MainWindow::OnCreate() {
  taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
  AppState& app = App();
  dpi_ = WindowDpi(window_);
  RecordSetUpRectangles();
  LoadSettingsFile(app);
  CompileTemplates(app.settings, app.templates);
  StartTimers();
  RestorePlacement();
  RepairAutoStartPath();
  InsertListColumns();
  SetFocus(list_);
  LoadToday();
  RecreateTimelineImage();
  PostMessageW(window_, kTimelineRedrawMessage, 0, 0);
  UpdateColorMarks();
  DragAcceptFiles(window_, TRUE);
  RegisterPresenceNotifications();
  PostMessageW(window_, kCommandLineMessage, 0, 0);
}

void MainWindow::RecordSetUpRectangles() {
  list_ = GetDlgItem(window_, IDC_RECORD_LIST);
  clientAtSetUp_ = ClientSizeOf(window_);
  listAtSetUp_ = ControlRectInClient(window_, list_);
  for (int i = 0; i < 7; ++i)
    controlsAtSetUp_[i] = ControlRectInClient(window_, GetDlgItem(window_, kBottomControls[i]));
}

void MainWindow::StartTimers() {
  const AppSettings& settings = App().settings;
  StartTimer(kCheckTimer, settings.checkPeriodMs);
  StartTimer(kTimelineTimer, settings.timelinePeriodMs);
}

// A timer set again under its id replaces the running one.
void MainWindow::StartTimer(UINT_PTR id, int32_t periodMs) {
  SetTimer(window_, id, static_cast<UINT>(periodMs), nullptr);
}

void MainWindow::RestorePlacement() {
  WINDOWPLACEMENT placement;
  std::memcpy(&placement, &App().settings.mainPlacement, sizeof placement);
  // In the tray the window takes its place but stays hidden until the icon restores it.
  if (startInTray_) placement.showCmd = SW_HIDE;
  const bool placed = SetWindowPlacement(window_, &placement) != FALSE;
  if (!placed) CenterOnScreen(window_);
  if (!placed && !startInTray_) {
    ShowWindow(window_, SW_SHOWNORMAL);
  } else {
    // A hidden window gets no size message until it is shown; the controls go to their places now.
    PostMessageW(window_, WM_SIZE, 0, 0);
  }
}

void MainWindow::LoadToday() {
  AppState& app = App();
  const LocalTime today = app.env.Now();
  // What the journals hold goes into the day logs first. A file that cannot be read is set aside,
  // never overwritten by the first save, and announced once the window is up.
  RecoverRecording(app, today, &keptAside_);
  if (!keptAside_.empty()) PostMessageW(window_, kKeptAsideMessage, 0, 0);
  view_.ShowCurrentDay();
  view_.list.shownDate = {today.year, today.month, today.day};
  view_.SetDatedTitle();
  ShowViewChange();
}

void MainWindow::OnSize(WPARAM kind) {
  if (kind == SIZE_MINIMIZED) {
    // It lives on in the notification area.
    ShowWindow(window_, SW_HIDE);
    return;
  }
  usage_.ShowWithOwner();
  RunLayout();
}

// In client coordinates, so that a caption, a menu that wraps or no frame at all changes nothing.
void MainWindow::RunLayout() {
  const Size client = ClientSizeOf(window_);
  MoveControl(list_, LayoutInClient(Anchor::Stretch, listAtSetUp_, clientAtSetUp_, client));
  for (int i = 0; i < 7; ++i) {
    const Anchor anchor = kBottomControls[i] == IDC_TIMELINE ? Anchor::BottomStretch : Anchor::Bottom;
    MoveControl(GetDlgItem(window_, kBottomControls[i]),
                LayoutInClient(anchor, controlsAtSetUp_[i], clientAtSetUp_, client));
  }
  RecreateTimelineImage();
  PostMessageW(window_, kTimelineRedrawMessage, 0, 0);
  InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::OnDpiChanged(uint32_t dpi, const RECT& suggested) {
  if (dpi == 0 || dpi == dpi_) return;
  clientAtSetUp_ = RescaleSize(clientAtSetUp_, dpi_, dpi);
  listAtSetUp_ = RescaleRect(listAtSetUp_, dpi_, dpi);
  for (Rect& control : controlsAtSetUp_) control = RescaleRect(control, dpi_, dpi);
  // Not a dialog to the system, so nothing rescales the template's font for it.
  const auto current = reinterpret_cast<HFONT>(SendDlgItemMessageW(window_, IDC_TODAY, WM_GETFONT, 0, 0));
  OwnedFont font(RescaledFont(current, dpi_, dpi));
  if (font) {
    SetFontOfAll(window_, font.get());
    dpiFont_ = std::move(font);
  }
  RescaleListColumns(list_, 4, dpi_, dpi);
  dpi_ = dpi;
  SetWindowIcons(window_, IDI_QUILLMERE);
  // The size change runs the layout and makes the timeline anew at the new DPI.
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnTimer(UINT_PTR id) {
  if (id == kCheckTimer) OnCheckTimer();
  if (id == kTimelineTimer) TimelineTick();
}

LRESULT MainWindow::OnControlColor(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id != IDC_HOVER_TEXT && id != IDC_TOTAL_TEXT) {
    return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control));
  }
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc, RGB(0, 0, 0));
  // The brush fills the rest of the line, so the text lines sit on white like the window.
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void MainWindow::OnLeftButtonUp() {
  if (!Dragging()) return;
  SendMessageW(window_, WM_TIMER, kTimelineTimer, 0);
  // The drag is over before the capture goes, so the band stays up until the mouse moves.
  dragAnchor_ = {-1, -1};
  ReleaseCapture();
}

// Alt+Tab, a message box or a disabled window takes the capture in mid-drag, and the button's release
// then never comes here: the drag ends now, or every later hover would select from the old anchor.
void MainWindow::OnCaptureChanged(HWND newCapture) {
  if (!Dragging() || newCapture == window_) return;
  dragAnchor_ = {-1, -1};
  PostMessageW(window_, kTimelineRedrawMessage, 0, 0);
}

void MainWindow::OnAppCommand(LPARAM lParam) {
  const int command = GET_APPCOMMAND_LPARAM(lParam);
  if (command == APPCOMMAND_BROWSER_BACKWARD) SendMessageW(window_, WM_COMMAND, CMD_PREV_DAY, 0);
  if (command == APPCOMMAND_BROWSER_FORWARD) SendMessageW(window_, WM_COMMAND, CMD_NEXT_DAY, 0);
}

CalendarDate QueryShownDate(HWND mainWindow) {
  SYSTEMTIME shown = {};
  SendMessageW(mainWindow, kShownDateMessage, reinterpret_cast<WPARAM>(&shown), 0);
  const CalendarDate date{shown.wYear, shown.wMonth, shown.wDay};
  if (IsValidDate(date)) return date;
  const LocalTime& now = App().sampler.lastTick;
  return {now.year, now.month, now.day};
}

void MainWindow::OnShowDay(WPARAM date, LPARAM seconds) {
  const ShownDate day{static_cast<uint16_t>(date >> 16), static_cast<uint16_t>(date >> 8 & 0xFF),
                      static_cast<uint16_t>(date & 0xFF)};
  if (ShowsDate(day, App().sampler.lastTick)) {
    view_.ShowCurrentDay();
  } else if (!view_.ShowDayByDate(day)) {
    return;
  }
  ShowViewChange();
  if (IsIconic(window_) || !IsWindowVisible(window_)) ShowWindow(window_, SW_RESTORE);
  if (const DayLog* shown = view_.list.Source()) SelectRecordAt(*shown, static_cast<int32_t>(seconds));
}

void MainWindow::OnShownDateQuery(WPARAM target) {
  if (target == 0) return;
  auto* date = reinterpret_cast<SYSTEMTIME*>(target);
  date->wYear = view_.list.shownDate.year;
  date->wMonth = view_.list.shownDate.month;
  date->wDay = view_.list.shownDate.day;
}

void MainWindow::AddTrayIcon() {
  NOTIFYICONDATAW icon = {};
  icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  icon.hWnd = window_;
  icon.uID = 0;
  icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  icon.uCallbackMessage = kTrayMessage;
  icon.hIcon = IconAtDpi(IDI_QUILLMERE, true, WindowDpi(window_));
  lstrcpynW(icon.szTip, kProgramNameW, 64);
  Shell_NotifyIconW(NIM_ADD, &icon);
}

void MainWindow::RemoveTrayIcon() {
  NOTIFYICONDATAW icon = {};
  icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  icon.hWnd = window_;
  icon.uID = 0;
  Shell_NotifyIconW(NIM_DELETE, &icon);
}

void MainWindow::OnTaskbarCreated() {
  RemoveTrayIcon();
  AddTrayIcon();
  tipSaysAway_ = false;
  UpdateAwayTip();
}

}  // namespace qm
