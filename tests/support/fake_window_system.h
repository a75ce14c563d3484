// A scripted window system for tests: the foreground window, titles and process paths per window,
// the drive list and device names, failures by leaving an entry out, a count of the calls that read
// paths and drives, and the user's input and the states that tell presence without it.
#pragma once

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace qm::test {

class FakeWindowSystem : public WindowSystem {
 public:
  struct Calls { int path = 0, devicePath = 0, driveStrings = 0, dosDevice = 0, presenceLooks = 0; };

  // One window with its title and executable path; a window without a path cannot be opened.
  void SetWindow(uintptr_t window, std::u16string title, std::u16string path = u"") {
    titles[window] = std::move(title);
    if (!path.empty()) paths[window] = std::move(path);
  }

  uintptr_t foreground = 0;
  std::map<uintptr_t, std::u16string> titles;       // absent: empty title
  std::map<uintptr_t, std::u16string> paths;        // absent: the path cannot be read
  std::map<uintptr_t, std::u16string> devicePaths;  // absent: the device path cannot be read
  std::vector<std::u16string> drives;               // roots such as "C:\"
  std::map<std::u16string, std::u16string> devices;  // "C:" -> device name; absent: the query fails
  std::optional<uint32_t> lastInput;  // absent: the system cannot tell
  bool screenSaver = false, fullScreen = false, displayRequired = false;
  Calls calls;

  uintptr_t ForegroundWindow() override { return foreground; }
  size_t WindowTitle(uintptr_t window, std::span<char16_t> title) override {
    const auto it = titles.find(window);
    return CopyTerminated(it == titles.end() ? u"" : std::u16string_view(it->second), title);
  }
  bool ProcessPath(uintptr_t window, std::span<char16_t> path) override {
    return CopyFound(calls.path, paths, window, path);
  }
  bool ProcessDevicePath(uintptr_t window, std::span<char16_t> path) override {
    return CopyFound(calls.devicePath, devicePaths, window, path);
  }
  // The roots, each ending in 0, and a final 0; the size needed when the buffer is too small.
  uint32_t LogicalDriveStrings(std::span<char16_t> buffer) override {
    ++calls.driveStrings;
    std::u16string list;
    for (const std::u16string& root : drives) list.append(root).push_back(u'\0');
    if (list.size() + 1 > buffer.size()) return static_cast<uint32_t>(list.size() + 1);
    CopyTerminated(list, buffer);
    return static_cast<uint32_t>(list.size());
  }
  bool DosDeviceName(const std::u16string& drive, std::span<char16_t> device) override {
    return CopyFound(calls.dosDevice, devices, drive, device);
  }
  bool LastInputTick(uint32_t* tick) override { return lastInput && (*tick = *lastInput, true); }
  bool ScreenSaverRunning() override { return ++calls.presenceLooks, screenSaver; }
  bool FullScreenInFront() override { return fullScreen; }
  bool DisplayRequired() override { return displayRequired; }

 private:
  // Copies what fits with a terminator, as the system calls do.
  static size_t CopyTerminated(std::u16string_view text, std::span<char16_t> out) {
    if (out.empty()) return 0;
    const size_t length = std::min(text.size(), out.size() - 1);
    std::copy_n(text.begin(), length, out.begin());
    out[length] = u'\0';
    return length;
  }
  template <typename Key>
  static bool CopyFound(int& calls, const std::map<Key, std::u16string>& from, const Key& key, std::span<char16_t> out) {
    ++calls;
    const auto it = from.find(key);
    return it != from.end() && (CopyTerminated(it->second, out), true);
  }
};

}  // namespace qm::test
