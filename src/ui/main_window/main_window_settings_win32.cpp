// The main window's commands that open the settings and colour settings windows.
#include <windows.h>

#include "storage/ini_settings.h"
#include "storage/settings_file.h"
#include "ui/main_window/main_window.h"

namespace qm {

void MainWindow::OpenSettings() {
  const AppSettings& settings = App().settings;
  const int32_t checkPeriod = settings.checkPeriodMs;
  const int32_t timelinePeriod = settings.timelinePeriodMs;
  configWindow_.Run(window_);
  // The timers go on with their old periods while the window is open; only one whose period changed
  // starts over, the other keeps its beat.
  if (settings.checkPeriodMs != checkPeriod) StartTimer(kCheckTimer, settings.checkPeriodMs);
  if (settings.timelinePeriodMs != timelinePeriod) StartTimer(kTimelineTimer, settings.timelinePeriodMs);
  SaveSettingsNow();
  SaveIniNow();
  UpdateColorMarks();
  AfterColorChange();
}

// Away time lives in quillmere.ini; a failed write is said, or the choice would be lost at exit.
void MainWindow::SaveIniNow() {
  AppState& app = App();
  if (SaveIniSettings(app.env, app.ini)) return;
  const std::u16string text = std::u16string(Tr(kIniSaveFailedText)) + u"\n" + IniFilePath(app.env);
  MessageBoxW(window_, Wide(text.c_str()), kProgramNameW, MB_OK | MB_ICONERROR);
}

void MainWindow::OpenColorSettings() {
  colorWindow_.Run(window_);
  SaveSettingsNow();
  UpdateColorMarks();
  AfterColorChange();
}

// What was set in a window reaches the disk when the window closes, not only at the next save of
// everything, which by default is the program's exit.
void MainWindow::SaveSettingsNow() { SaveSettingsFile(App()); }

}  // namespace qm
