// A scripted window system for tests: the foreground window, titles and process paths per window,
// the drive list and device names, failures by leaving an entry out, and a count of the calls that
// read paths and drives.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace qm::test {

class FakeWindowSystem : public WindowSystem {
 public:
  struct Calls {
    int path = 0, devicePath = 0, driveStrings = 0, dosDevice = 0;
  };

  // One window with its title and executable path; a window without a path cannot be opened.
  void SetWindow(uintptr_t window, std::u16string title, std::u16string path = u"");

  uintptr_t foreground = 0;
  std::map<uintptr_t, std::u16string> titles;       // absent: empty title
  std::map<uintptr_t, std::u16string> paths;        // absent: the path cannot be read
  std::map<uintptr_t, std::u16string> devicePaths;  // absent: the device path cannot be read
  std::vector<std::u16string> drives;               // roots such as "C:\"
  std::map<std::u16string, std::u16string> devices;  // "C:" -> device name; absent: the query fails
  Calls calls;

  uintptr_t ForegroundWindow() override { return foreground; }
  size_t WindowTitle(uintptr_t window, std::span<char16_t> title) override;
  bool ProcessPath(uintptr_t window, std::span<char16_t> path) override {
    return CopyFound(calls.path, paths, window, path);
  }
  bool ProcessDevicePath(uintptr_t window, std::span<char16_t> path) override {
    return CopyFound(calls.devicePath, devicePaths, window, path);
  }
  uint32_t LogicalDriveStrings(std::span<char16_t> buffer) override;
  bool DosDeviceName(const std::u16string& drive, std::span<char16_t> device) override {
    return CopyFound(calls.dosDevice, devices, drive, device);
  }

 private:
  // Copies what fits with a terminator, as the system calls do.
  static size_t CopyTerminated(std::u16string_view text, std::span<char16_t> out);
  template <typename Key>
  static bool CopyFound(int& calls, const std::map<Key, std::u16string>& from, const Key& key, std::span<char16_t> out) {
    ++calls;
    const auto it = from.find(key);
    return it != from.end() && (CopyTerminated(it->second, out), true);
  }
};

}  // namespace qm::test
