// The system's own drive names, read back through the drive map: whatever device the system names
// for a drive, a path on that device translates to the drive.
#include <gtest/gtest.h>

#include "core/fixed_string.h"
#include "app/sampler.h"

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

}  // namespace
}  // namespace qm
