#include "support/fake_window_system.h"

#include <algorithm>

namespace qm::test {

size_t FakeWindowSystem::CopyTerminated(std::u16string_view text, std::span<char16_t> out) {
  if (out.empty()) return 0;
  const size_t length = std::min(text.size(), out.size() - 1);
  std::copy_n(text.begin(), length, out.begin());
  out[length] = u'\0';
  return length;
}

void FakeWindowSystem::SetWindow(uintptr_t window, std::u16string title, std::u16string path) {
  titles[window] = std::move(title);
  if (!path.empty()) paths[window] = std::move(path);
}

size_t FakeWindowSystem::WindowTitle(uintptr_t window, std::span<char16_t> title) {
  const auto it = titles.find(window);
  return CopyTerminated(it == titles.end() ? u"" : std::u16string_view(it->second), title);
}

uint32_t FakeWindowSystem::LogicalDriveStrings(std::span<char16_t> buffer) {
  ++calls.driveStrings;
  std::u16string list;
  for (const std::u16string& root : drives) list.append(root).push_back(u'\0');
  if (list.size() + 1 > buffer.size()) return static_cast<uint32_t>(list.size() + 1);
  std::copy(list.begin(), list.end(), buffer.begin());
  buffer[list.size()] = u'\0';
  return static_cast<uint32_t>(list.size());
}

}  // namespace qm::test
