// The main window's save at exit when the day cannot be written, suspend and resume, the
// announcement of files set aside at start-up, and the Run value's repair at start-up.
#include <windows.h>

#include "app/auto_start.h"
#include "app/sampler.h"
#include "ui/main_window/main_window.h"
#include "ui/main_window/save_messages.h"

namespace qm {

void MainWindow::SaveAllAtExit() {
  AppState& app = App();
  SaveFailure failure = SaveFailure::None;
  // A day with nothing to write is no failure; anything else is never left unsaid.
  while (!SaveAll(&failure) && failure != SaveFailure::None && failure != SaveFailure::NothingToSave) {
    const LocalTime& day = app.sampler.lastTick;
    const std::u16string text =
        ExitSaveFailedText(DayLogPath(app.env, day.year, day.month, day.day), failure, app.journal.Healthy());
    // The window is on its way out, so the box stands on its own.
    const int answer = MessageBoxW(nullptr, Wide(text.c_str()), kProgramNameW,
                                   MB_RETRYCANCEL | MB_ICONERROR | MB_SETFOREGROUND | MB_TOPMOST);
    if (answer != IDRETRY) break;
  }
}

void MainWindow::OnPowerBroadcast(WPARAM event, LPARAM data) {
  if (event == PBT_POWERSETTINGCHANGE && data != 0) {
    OnPowerSetting(*reinterpret_cast<const POWERBROADCAST_SETTING*>(data));
    return;
  }
  // The time asleep belongs to no window: the entry ends now, and after resume the next check
  // starts a new one.
  if (event != PBT_APMSUSPEND) return;
  EndOpenEntry(App());
  SaveAll();
}

void MainWindow::AnnounceKeptAside() {
  if (keptAside_.empty()) return;
  const std::u16string text = KeptAsideText(keptAside_);
  keptAside_.clear();
  MessageBoxW(window_, Wide(text.c_str()), kProgramNameW, MB_OK | MB_ICONWARNING);
}

void MainWindow::RepairAutoStartPath() {
  AppState& app = App();
  if (RepairAutoStart(DefaultRunKey(), app.env.ExecutablePath()) != AutoStartRepair::Failed) return;
  // Hidden in the tray, the window cannot own the box.
  MessageBoxW(startInTray_ ? nullptr : window_, Wide(Tr(TextId::AutoStartMoved)), kProgramNameW,
              MB_OK | MB_ICONWARNING);
}

}  // namespace qm
