// The settings and output-string windows store what their controls show when they close; a window
// whose dialog is gone, or was never there, has no controls to read and must store nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "storage/ini_settings.h"
#include "ui/settings/command_str_config_window.h"
#include "ui/settings/config_window.h"

namespace qm {
namespace {

TEST(SettingsWindows, CloseOrDestroyWithoutTheirDialogStoresNothing) {
  AppSettings& settings = App().settings;
  settings.checkPeriodMs = 300;
  settings.confirmExit = 1;
  CopyToArray(settings.listExportFolder, u"C:\\exports\\");
  CopyToArray(settings.listTextTemplate, u"%t");
  AppSettings before;
  std::memcpy(&before, &settings, sizeof before);
  App().ini.presentWhileFullScreen = true;
  const IniSettings iniBefore = App().ini;
  CommandStrConfigWindow strings;
  ConfigWindow config(&strings);
  auto closeBoth = [&](HWND window) {
    for (UINT message : {WM_CLOSE, WM_DESTROY}) {
      strings.HandleMessage(window, message, 0, 0);
      config.HandleMessage(window, message, 0, 0);
    }
  };
  closeBoth(nullptr);  // never opened
  EXPECT_EQ(std::memcmp(&settings, &before, sizeof before), 0);
  EXPECT_EQ(App().ini, iniBefore);

  // Opened on a window that is destroyed behind their backs.
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  strings.HandleMessage(window, WM_INITDIALOG, 0, 0);
  config.HandleMessage(window, WM_INITDIALOG, 0, 0);
  DestroyWindow(window);
  closeBoth(window);
  EXPECT_EQ(std::memcmp(&settings, &before, sizeof before), 0);
  EXPECT_EQ(App().ini, iniBefore);
}

}  // namespace
}  // namespace qm
