// The system's own drive names, read back through the drive map: whatever device the system names
// for a drive, a path on that device translates to the drive. Then what tells presence: a window in
// front counts as full screen when it covers its screen without a caption.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/fixed_string.h"
#include "app/sampler.h"
#include "platform/win32/window_system_win32.h"

namespace qm {
namespace {

TEST(WindowSystemWin32, DeviceOfEachDriveTranslatesBackToTheDrive) {
  WindowSystem& windows = DefaultWindowSystem();
  char16_t list[512] = {};
  const uint32_t length = windows.LogicalDriveStrings(std::span(list, 511));
  ASSERT_TRUE(length > 0 && length < 511) << length;
  DriveMap drives;
  int translated = 0;
  for (const char16_t* root = list; *root != u'\0'; root += std::u16string_view(root).size() + 1) {
    const std::u16string drive(root, 2);
    char16_t device[kDevicePathUnits];
    if (!windows.DosDeviceName(drive, device)) continue;
    char16_t path[kPathUnits];
    ASSERT_TRUE(TranslateDevicePath(drives, windows, std::u16string(ArrayText(device)) + u"\\x.exe", path));
    EXPECT_EQ(ArrayText(path), drive + u"\\x.exe");
    ++translated;
  }
  EXPECT_GT(translated, 0);
  EXPECT_FALSE(windows.DosDeviceName(u"no such drive", std::span<char16_t>()));
}

// A window of the system's static class, shown and brought to the front.
HWND FrontWindow(DWORD style, const RECT& r) {
  HWND window = CreateWindowExW(0, L"STATIC", L"front", style | WS_VISIBLE, r.left, r.top, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  return window;
}

TEST(WindowSystemWin32, FullScreenIsACaptionlessWindowCoveringItsScreen) {
  WindowSystem& windows = DefaultWindowSystem();
  uint32_t input = 0;
  EXPECT_TRUE(windows.LastInputTick(&input));
  EXPECT_FALSE(windows.ScreenSaverRunning());
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  ASSERT_TRUE(GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &monitor));
  const RECT screen = monitor.rcMonitor, smaller = {screen.left, screen.top, screen.right - 1, screen.bottom};
  const std::pair<DWORD, RECT> cases[] = {{WS_POPUP, screen}, {WS_OVERLAPPEDWINDOW, screen}, {WS_POPUP, smaller}};
  for (const auto& [style, rect] : cases) {
    HWND window = FrontWindow(style, rect);
    const bool full = style == WS_POPUP && rect.right == screen.right;
    EXPECT_EQ(FillsItsScreen(window), full) << style;
    if (GetForegroundWindow() == window) {
      EXPECT_EQ(windows.FullScreenInFront(), full) << style;
    }
    DestroyWindow(window);
  }
  EXPECT_FALSE(FillsItsScreen(GetDesktopWindow()));
}

}  // namespace
}  // namespace qm
