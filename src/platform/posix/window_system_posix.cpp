// The program records Windows windows only; elsewhere there is never a foreground window, so the
// sampler opens no entry and asks nothing else; nobody's input is known, so nobody is away.
#include "platform/window_system.h"

namespace qm {
namespace {

class PosixWindowSystem : public WindowSystem {
 public:
  uintptr_t ForegroundWindow() override { return 0; }
  size_t WindowTitle(uintptr_t, std::span<char16_t> title) override {
    if (!title.empty()) title[0] = u'\0';
    return 0;
  }
  bool ProcessPath(uintptr_t, std::span<char16_t>) override { return false; }
  bool ProcessDevicePath(uintptr_t, std::span<char16_t>) override { return false; }
  uint32_t LogicalDriveStrings(std::span<char16_t>) override { return 0; }
  bool DosDeviceName(const std::u16string&, std::span<char16_t>) override { return false; }
  bool LastInputTick(uint32_t*) override { return false; }
  bool ScreenSaverRunning() override { return false; }
  bool FullScreenInFront() override { return false; }
  bool DisplayRequired() override { return false; }
};

}  // namespace

WindowSystem& DefaultWindowSystem() {
  static PosixWindowSystem system;
  return system;
}

}  // namespace qm
