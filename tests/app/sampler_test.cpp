// The sampler on a scripted clock and foreground window: when entries open and close, and how device
// paths become drive-letter paths. (Day changes: see the check timer and the journal's kill tests.)
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/app_state.h"
#include "app/sampler.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace qm {
namespace {

// The clock at 10:00 plus `offset` ms of 1 March; the tick runs at twice its pace, so that durations
// (ticks) and starts (clock) differ.
void SetClock(test::FakeEnv& env, uint32_t offset) {
  const uint32_t ms = 36'000'000 + offset;
  env.now = {2016, 3, 2, 1, static_cast<uint16_t>(ms / 3'600'000), static_cast<uint16_t>(ms / 60'000 % 60),
             static_cast<uint16_t>(ms / 1000 % 60), static_cast<uint16_t>(ms % 1000)};
  env.tick = 5000 + 2 * offset;
}

// Records as "start+duration executable title", the executable by its path's last letter ("-": none).
std::string Records(const DayLog& day, const test::FakeWindowSystem& windows) {
  std::string text;
  for (uint32_t i = 0; i < day.Count(); ++i) {
    const ActivityRecord r = day.Header(i);
    std::string exe = "-";
    for (const auto& [window, path] : windows.paths) {
      if (r.exeKey == static_cast<uint32_t>(StringKey(path))) exe = ToUtf8(path.substr(path.size() - 5, 1));
    }
    text += std::to_string(r.start) + "+" + std::to_string(r.duration) + " " + exe + " " + ToUtf8(day.Title(i)) + "|";
  }
  return text;
}

TEST(Sampler, EntriesFollowTheTitleNotTheWindow) {
  test::FakeEnv env;
  AppState app(env);
  test::FakeWindowSystem windows;
  for (const auto& [window, title, path] : {std::tuple<uintptr_t, std::u16string, std::u16string>{1, u"A", u"C:\\a.exe"},
                                            {2, u"B", u"C:\\b.exe"}, {3, u"B", u"C:\\o.exe"}, {4, u"", u"C:\\s.exe"},
                                            {5, std::u16string(300, u'x'), u"C:\\l.exe"},  // arrives as 255 units
                                            {6, u"locked", u""}}) {                         // its process cannot be read
    windows.SetWindow(window, title, path);
  }
  SetClock(env, 0);
  app.sampler.lastTick = env.now;
  bool dayChanged = false;
  auto tick = [&](uintptr_t window, uint32_t offset) {
    SetClock(env, offset);
    return SampleTick(app, windows, window, dayChanged);
  };
  const std::tuple<uintptr_t, uint32_t, bool> steps[] = {
      {4, 0, false}, {1, 100, true},  {1, 600, false},  {2, 1600, true}, {3, 2000, false},
      {0, 2500, false}, {5, 3000, true}, {5, 3300, false}, {6, 4000, true}, {1, 5000, true}};
  for (const auto& [window, offset, changed] : steps) EXPECT_EQ(tick(window, offset), changed) << offset;
  EXPECT_EQ(windows.calls.path, 5);  // not for the empty title, nor for the same title
  // At program end the entry in progress is recorded up to now, once, and goes on from there.
  SetClock(env, 5500);
  RecordOpenEntry(app);
  RecordOpenEntry(app);
  EXPECT_FALSE(tick(1, 6000));
  EXPECT_TRUE(tick(2, 7000));
  // The overlong title's entry is refused by the day log.
  EXPECT_EQ(Records(app.sampler.day, windows), "36000100+3000 a A|36001600+2800 b B|36004000+2000 - locked|"
                                               "36005000+1000 a A|36005500+3000 a A|");
  EXPECT_FALSE(dayChanged);
}

class DriveMapTest : public ::testing::Test {
 protected:
  DriveMapTest() {
    windows.drives = {u"A:\\", u"B:\\", u"C:\\", u"D:\\"};  // A: fails, B: names no device
    windows.devices = {{u"B:", u""}, {u"C:", u"\\Device\\HarddiskVolume2"}, {u"D:", u"\\Device\\CdRom0"}};
  }
  // The translation, or "-" when there is none.
  std::u16string Translate(std::u16string_view devicePath, size_t units = kPathUnits) {
    std::u16string out(units, u'-');
    if (!TranslateDevicePath(drives, windows, devicePath, std::span(out))) return u"-";
    return out.substr(0, out.find(u'\0'));
  }
  test::FakeWindowSystem windows;
  DriveMap drives;
};

TEST_F(DriveMapTest, DevicePrefixFollowedByBackslashBecomesTheDriveAndTheLastHitIsTriedFirst) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"\\Device\\HarddiskVolume2\\x.exe", u"C:\\x.exe"},
      {u"\\device\\HARDDISKVOLUME2\\Dir\\x.exe", u"C:\\Dir\\x.exe"},
      {u"\\Device\\HarddiskVolume22\\x.exe", u"-"},
      {u"\\Device\\HarddiskVolume2", u"-"},
      {u"\\Device\\CdRom0\\y", u"D:\\y"},
      {u"", u"-"},
  };
  for (const auto& [device, path] : cases) EXPECT_EQ(Translate(device), path) << ToUtf8(device);
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x.exe", 5), u"C:\\x");
  // Built once: one drive list and one query per drive, the failing A: included.
  EXPECT_EQ(std::pair(windows.calls.driveStrings, windows.calls.dosDevice), std::pair(1, 4));
  // The same volume under two letters: the one that matched last wins.
  drives.entries.push_back({u"E:", u"\\Device\\HarddiskVolume2"});
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x"), u"C:\\x");
  drives.lastHit = 2;
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x"), u"E:\\x");
  EXPECT_EQ(drives.lastHit, 2);
  drives.lastHit = 3;  // one past the end
  EXPECT_EQ(Translate(u"\\Device\\CdRom0\\y"), u"D:\\y");

  // An executable's path comes from the device form when the direct one cannot be read.
  windows.paths[1] = u"C:\\direct.exe";
  windows.devicePaths[1] = u"\\Device\\CdRom0\\unused.exe";
  windows.devicePaths[2] = u"\\Device\\HarddiskVolume2\\app\\b.exe";
  windows.devicePaths[3] = u"\\Device\\Unknown\\c.exe";
  char16_t path[kPathUnits];
  ASSERT_TRUE(ExecutablePathOfWindow(drives, windows, 1, path));
  EXPECT_EQ(ArrayText(path), u"C:\\direct.exe");
  EXPECT_EQ(windows.calls.devicePath, 0);
  ASSERT_TRUE(ExecutablePathOfWindow(drives, windows, 2, path));
  EXPECT_EQ(ArrayText(path), u"C:\\app\\b.exe");
  for (uintptr_t window : {3, 4}) EXPECT_FALSE(ExecutablePathOfWindow(drives, windows, window, path) || path[0]) << window;
}

}  // namespace
}  // namespace qm
