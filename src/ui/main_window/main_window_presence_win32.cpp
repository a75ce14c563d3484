// The absences the system announces to the main window (session lock and disconnection, the display
// turned off) and the notification-area icon's word for them.
#include <windows.h>

#include <shellapi.h>
#include <wtsapi32.h>

#include <cstring>

#include "app/presence.h"
#include "ui/main_window/main_window.h"
#include "ui/settings/away_settings.h"

namespace qm {
namespace {

// The display state from Windows 8 on; the monitor's power before. Both give 0 for off.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr GUID kMonitorPowerOn = {0x02731015, 0x4510, 0x4526, {0x99, 0xe6, 0xe5, 0xa1, 0x7e, 0xbd, 0x1a, 0xea}};

}  // namespace

void MainWindow::RegisterPresenceNotifications() {
  WTSRegisterSessionNotification(window_, NOTIFY_FOR_THIS_SESSION);
  displayNotifications_[0] =
      RegisterPowerSettingNotification(window_, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  displayNotifications_[1] = RegisterPowerSettingNotification(window_, &kMonitorPowerOn, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void MainWindow::UnregisterPresenceNotifications() {
  WTSUnRegisterSessionNotification(window_);
  for (HPOWERNOTIFY& notification : displayNotifications_) {
    if (notification != nullptr) UnregisterPowerSettingNotification(notification);
    notification = nullptr;
  }
}

void MainWindow::OnSessionChange(WPARAM event) {
  switch (event) {
    case WTS_SESSION_LOCK: OnAbsence(Absence::Locked, true); break;
    case WTS_SESSION_UNLOCK: OnAbsence(Absence::Locked, false); break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_REMOTE_DISCONNECT: OnAbsence(Absence::Disconnected, true); break;
    case WTS_CONSOLE_CONNECT:
    case WTS_REMOTE_CONNECT: OnAbsence(Absence::Disconnected, false); break;
    default: break;
  }
}

void MainWindow::OnPowerSetting(const POWERBROADCAST_SETTING& setting) {
  const bool display =
      IsEqualGUID(setting.PowerSetting, kConsoleDisplayState) || IsEqualGUID(setting.PowerSetting, kMonitorPowerOn);
  if (!display || setting.DataLength < sizeof(DWORD)) return;
  DWORD state = 0;
  std::memcpy(&state, setting.Data, sizeof state);
  OnAbsence(Absence::DisplayOff, state == 0);  // 1 on, 2 dimmed
}

// The entry an absence ends appears in the list at once, not at the next change.
void MainWindow::OnAbsence(Absence absence, bool begins) {
  AppState& app = App();
  if (!begins) {
    EndAbsence(app, absence);
  } else if (BeginAbsence(app, absence)) {
    if (ShowsDate(view_.list.shownDate, app.sampler.lastTick)) view_.list.AppendNew();
    UpdateItemCount();
  }
  UpdateAwayTip();
}

void MainWindow::UpdateAwayTip() {
  const bool away = IsAway(App().sampler);
  if (away == tipSaysAway_) return;
  tipSaysAway_ = away;
  NOTIFYICONDATAW icon = {};
  icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
  icon.hWnd = window_;
  icon.uID = 0;
  icon.uFlags = NIF_TIP;
  lstrcpynW(icon.szTip, away ? Wide(Tr(kAwayTipText)) : kProgramNameW, 64);
  Shell_NotifyIconW(NIM_MODIFY, &icon);
}

}  // namespace qm
