// The program's entry: one instance only, the main window from its dialog template, the icon in the
// notification area and the message loop with accelerators and dialog navigation.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstdint>
#include <vector>

#include "app/auto_start.h"
#include "ui/common/dpi_win32.h"
#include "ui/main_window/main_window.h"
#include "ui/text/localized_windows_win32.h"
#include "ui/text/texts.h"
#include "ui/common/resource_ids.h"

namespace {

constexpr wchar_t kClassName[] = L"Quillmere";

bool RegisterMainClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  windowClass.lpfnWndProc = DefWindowProcW;  // each window gets its object's procedure once bound
  windowClass.cbWndExtra = DLGWINDOWEXTRA;   // the main window is made from a dialog template
  windowClass.hInstance = instance;
  // At the system's DPI; the window takes its monitor's when it moves to another.
  const uint32_t dpi = qm::WindowDpi(nullptr);
  windowClass.hIcon = qm::IconAtDpi(IDI_QUILLMERE, false, dpi);
  windowClass.hIconSm = qm::IconAtDpi(IDI_QUILLMERE, true, dpi);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszMenuName = L"WINDOW_MENU";
  windowClass.lpszClassName = kClassName;
  return RegisterClassExW(&windowClass) != 0;
}

// Accelerators and keyboard navigation for the main window and every open modeless dialog.
bool PreTranslate(qm::MainWindow& mainWindow, HACCEL accelerators, MSG& message) {
  if (TranslateAcceleratorW(mainWindow.Handle(), accelerators, &message)) return true;
  if (IsDialogMessageW(mainWindow.Handle(), &message)) return true;
  for (HWND dialog : mainWindow.OpenDialogs()) {
    if (dialog != nullptr && IsDialogMessageW(dialog, &message)) return true;
  }
  return false;
}

int RunMessageLoop(qm::MainWindow& mainWindow, HACCEL accelerators) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (PreTranslate(mainWindow, accelerators, message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

// The main window from its template in the current language, with its menu.
HWND CreateMainWindow(HINSTANCE instance) {
  const std::vector<uint8_t> dialog = qm::LocalizedDialogTemplate(IDD_MAIN);
  if (dialog.empty()) return nullptr;
  HWND window =
      CreateDialogIndirectParamW(instance, reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), nullptr, nullptr, 0);
  if (window == nullptr) return nullptr;
  qm::LocalizeWindowTexts(window);
  qm::LocalizeMenu(GetMenu(window));
  DrawMenuBar(window);
  return window;
}

int Run(HINSTANCE instance, qm::MainWindow& mainWindow) {
  // Read before any window exists: what it holds decides how the windows are made.
  qm::App().ini = qm::LoadIniSettings(qm::App().env);
  qm::SetLanguage(qm::LanguageFor(qm::App().ini.language, GetUserDefaultUILanguage()));
  const qm::StartArguments start = qm::ParseStartArguments(qm::CommandLineArguments());
  if (HWND running = FindWindowW(kClassName, nullptr)) {
    // Started with Windows (or with the switch by hand) while already running: nothing to show.
    if (start.inTray) return 0;
    MessageBoxW(nullptr, qm::Wide(qm::Tr(qm::TextId::AlreadyRunning)), qm::kProgramNameW, MB_OK);
    PostMessageW(running, WM_COMMAND, CMD_RESTORE, 0);
    return 0;
  }
  if (!RegisterMainClass(instance)) return 0;
  mainWindow.StartInTray(start.inTray);
  HWND window = CreateMainWindow(instance);
  if (window == nullptr) return -1;
  mainWindow.Attach(window);
  const HRESULT com = CoInitialize(nullptr);
  mainWindow.AddTrayIcon();
  SendMessageW(window, WM_CREATE, 0, 0);
  const int code = RunMessageLoop(mainWindow, LoadAcceleratorsW(instance, L"MAIN_ACCEL"));
  mainWindow.RemoveTrayIcon();
  if (SUCCEEDED(com)) CoUninitialize();
  return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  qm::MainWindow mainWindow;
  return Run(instance, mainWindow);
}
