// What the sampler asks the system about windows and processes: the foreground window, its title and
// the executable of its process, the drive names needed to read a process path given in the
// system's device form, and what tells whether someone is at the computer. The Win32 and POSIX
// implementations are chosen by the build; tests use a fake.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace qm {

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // The window the user works in, or 0 when there is none.
  virtual uintptr_t ForegroundWindow() = 0;
  // The window's title into `title`: at most title.size() - 1 units, always terminated.
  // Returns the number of units written.
  virtual size_t WindowTitle(uintptr_t window, std::span<char16_t> title) = 0;
  // The full path of the executable of the window's process, terminated; false when the process
  // cannot be opened or its path cannot be read.
  virtual bool ProcessPath(uintptr_t window, std::span<char16_t> path) = 0;
  // The same path in device form ("\Device\HarddiskVolume2\..."), terminated; false on failure.
  virtual bool ProcessDevicePath(uintptr_t window, std::span<char16_t> path) = 0;
  // The drive roots ("C:\", each terminated, the list ended by an empty string). When the list fits
  // `buffer` it is written and its length without the final terminator is returned; otherwise
  // nothing is written and the length the list needs is returned. 0 on failure.
  virtual uint32_t LogicalDriveStrings(std::span<char16_t> buffer) = 0;
  // The device name of a drive ("C:" gives "\Device\HarddiskVolume2"), terminated; false on failure.
  virtual bool DosDeviceName(const std::u16string& drive, std::span<char16_t> device) = 0;

  // Presence. The tick count (Env::TickCount's clock) of the last keyboard or mouse input of this
  // session; false when the system cannot tell.
  virtual bool LastInputTick(uint32_t* tick) = 0;
  virtual bool ScreenSaverRunning() = 0;
  // A window fills the screen in front (a video, a slide show, a game), or the system reports a
  // full-screen program or presentation settings.
  virtual bool FullScreenInFront() = 0;
  // Some program asks the system to keep the display on, as video players and slide shows do.
  virtual bool DisplayRequired() = 0;
};

// The implementation for the system the program was built for; lives as long as the process.
WindowSystem& DefaultWindowSystem();

}  // namespace qm
