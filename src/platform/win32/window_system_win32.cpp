// Window and process inspection, and the signs of someone at the computer, on Windows. char16_t and
// wchar_t share their size here, so the buffers pass straight through.
#include <windows.h>
#include <powrprof.h>
#include <psapi.h>
#include <shellapi.h>

#include <algorithm>
#include <climits>

#include "platform/window_system.h"
#include "platform/win32/window_system_win32.h"

namespace qm {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 buffers are handed to Win32 as they are");
static_assert(sizeof(HWND) == sizeof(uintptr_t), "a window handle fits a uintptr_t");

// Query information and read memory: what GetModuleFileNameExW needs.
constexpr DWORD kProcessAccess = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;

wchar_t* W(std::span<char16_t> buffer) { return reinterpret_cast<wchar_t*>(buffer.data()); }

DWORD Units(std::span<char16_t> buffer) { return static_cast<DWORD>(std::min<size_t>(buffer.size(), INT_MAX)); }

HWND ToWindow(uintptr_t window) { return reinterpret_cast<HWND>(window); }

// Zero-fills the buffer so that whatever a call leaves is terminated; false when there is no room.
bool Cleared(std::span<char16_t> buffer) {
  std::fill(buffer.begin(), buffer.end(), u'\0');
  return !buffer.empty();
}

// The desktop and the shell's windows behind all others cover the screen without a caption too.
bool IsShellBackground(HWND window) {
  if (window == GetDesktopWindow() || window == GetShellWindow()) return true;
  wchar_t name[16] = {};
  GetClassNameW(window, name, 16);
  return lstrcmpW(name, L"WorkerW") == 0 || lstrcmpW(name, L"Progman") == 0;
}

}  // namespace

bool FillsItsScreen(HWND window) {
  if (window == nullptr || IsShellBackground(window)) return false;
  if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) return false;
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  RECT r = {};
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONULL), &monitor) || !GetWindowRect(window, &r)) {
    return false;
  }
  const RECT& m = monitor.rcMonitor;
  return r.left <= m.left && r.top <= m.top && r.right >= m.right && r.bottom >= m.bottom;
}

namespace {

class ProcessHandle {
 public:
  explicit ProcessHandle(uintptr_t window) {
    DWORD id = 0;
    GetWindowThreadProcessId(ToWindow(window), &id);
    handle_ = OpenProcess(kProcessAccess, FALSE, id);
  }
  ~ProcessHandle() {
    if (handle_ != nullptr) CloseHandle(handle_);
  }
  ProcessHandle(const ProcessHandle&) = delete;
  ProcessHandle& operator=(const ProcessHandle&) = delete;
  bool valid() const { return handle_ != nullptr; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

class Win32WindowSystem : public WindowSystem {
 public:
  uintptr_t ForegroundWindow() override { return reinterpret_cast<uintptr_t>(GetForegroundWindow()); }

  size_t WindowTitle(uintptr_t window, std::span<char16_t> title) override {
    if (!Cleared(title)) return 0;
    const int length = GetWindowTextW(ToWindow(window), W(title), static_cast<int>(Units(title)));
    return length > 0 ? static_cast<size_t>(length) : 0;
  }

  bool ProcessPath(uintptr_t window, std::span<char16_t> path) override {
    if (!Cleared(path)) return false;
    const ProcessHandle process(window);
    if (!process.valid()) return false;
    const DWORD length = GetModuleFileNameExW(process.get(), nullptr, W(path), Units(path));
    path.back() = u'\0';  // a path cut at the buffer's end still ends
    return length != 0;
  }

  bool ProcessDevicePath(uintptr_t window, std::span<char16_t> path) override {
    if (!Cleared(path)) return false;
    const ProcessHandle process(window);
    if (!process.valid()) return false;
    const DWORD length = GetProcessImageFileNameW(process.get(), W(path), Units(path));
    path.back() = u'\0';
    return length != 0;
  }

  uint32_t LogicalDriveStrings(std::span<char16_t> buffer) override {
    return GetLogicalDriveStringsW(Units(buffer), W(buffer));
  }

  bool DosDeviceName(const std::u16string& drive, std::span<char16_t> device) override {
    if (!Cleared(device)) return false;
    const DWORD length = QueryDosDeviceW(reinterpret_cast<const wchar_t*>(drive.c_str()), W(device), Units(device));
    device.back() = u'\0';
    return length != 0;
  }

  bool LastInputTick(uint32_t* tick) override {
    LASTINPUTINFO input = {sizeof input, 0};
    if (!GetLastInputInfo(&input)) return false;
    *tick = input.dwTime;
    return true;
  }

  bool ScreenSaverRunning() override {
    BOOL running = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENSAVERRUNNING, 0, &running, 0) && running;
  }

  bool FullScreenInFront() override {
    QUERY_USER_NOTIFICATION_STATE state = QUNS_ACCEPTS_NOTIFICATIONS;
    if (SUCCEEDED(SHQueryUserNotificationState(&state)) &&
        (state == QUNS_BUSY || state == QUNS_RUNNING_D3D_FULL_SCREEN || state == QUNS_PRESENTATION_MODE)) {
      return true;
    }
    return FillsItsScreen(GetForegroundWindow());
  }

  // The system's execution state joins every program's requests (SetThreadExecutionState).
  bool DisplayRequired() override {
    ULONG state = 0;
    return CallNtPowerInformation(SystemExecutionState, nullptr, 0, &state, sizeof state) == 0 &&
           (state & ES_DISPLAY_REQUIRED) != 0;
  }
};

}  // namespace

WindowSystem& DefaultWindowSystem() {
  static Win32WindowSystem system;
  return system;
}

}  // namespace qm
