// The sampler on a scripted clock and foreground window: when entries open and close, what a day
// change saves and carries over, and how device paths become drive-letter paths.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/sampler.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace qm {
namespace {

LocalTime At(uint16_t day, uint32_t msOfDay) {
  return {2016, 3, 0, day, static_cast<uint16_t>(msOfDay / 3'600'000), static_cast<uint16_t>(msOfDay / 60'000 % 60),
          static_cast<uint16_t>(msOfDay / 1000 % 60), static_cast<uint16_t>(msOfDay % 1000)};
}

constexpr uint32_t k10h = 36'000'000, kMidnight = 86'400'000;

class SamplerTest : public ::testing::Test {
 protected:
  SamplerTest() {
    windows.SetWindow(1, u"A", u"C:\\a.exe");
    windows.SetWindow(2, u"B", u"C:\\b.exe");
    Start(1, k10h, 5000);
  }
  // The clock, and the sampler's last look at it.
  void Start(uint16_t day, uint32_t ms, uint32_t tick) {
    Set(day, ms, tick);
    app.sampler.lastTick = env.now;
  }
  void Set(uint16_t day, uint32_t ms, uint32_t tick) {
    env.now = At(day, ms);
    env.tick = tick;
  }
  bool Tick(uintptr_t window, uint16_t day, uint32_t ms, uint32_t tick) {
    Set(day, ms, tick);
    return SampleTick(app, windows, window, dayChanged);
  }
  // Records as "start+duration executable title", the executable by its path's last letter ("-": none).
  std::string Records(const DayLog& day) const {
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
  // A saved day log of the fake disk, read back into a state of its own.
  std::unique_ptr<AppState> Saved(std::u16string_view name) {
    auto viewer = std::make_unique<AppState>(env);
    EXPECT_TRUE(LoadDayLogFile(*viewer, viewer->viewedDay, u"/app/log/" + std::u16string(name), UserViewedDay));
    return viewer;
  }

  test::FakeEnv env;
  AppState app{env};
  test::FakeWindowSystem windows;
  bool dayChanged = false;
};

// The tick runs at twice the clock's pace, so that durations (ticks) and starts (clock) differ.
TEST_F(SamplerTest, EntriesFollowTheTitleNotTheWindow) {
  windows.SetWindow(3, u"B", u"C:\\o.exe");
  windows.SetWindow(4, u"", u"C:\\s.exe");
  windows.SetWindow(5, std::u16string(300, u'x'), u"C:\\l.exe");  // arrives as 255 units
  windows.SetWindow(6, u"locked");                                 // its process cannot be read
  const struct {
    uintptr_t window;
    uint32_t offset;
    bool changed;
  } steps[] = {{4, 0, false},   {1, 100, true},   {1, 600, false}, {2, 1600, true}, {3, 2000, false},
               {0, 2500, false}, {5, 3000, true}, {5, 3300, false}, {6, 4000, true}, {1, 5000, true}};
  for (const auto& step : steps) {
    EXPECT_EQ(Tick(step.window, 1, k10h + step.offset, 5000 + 2 * step.offset), step.changed) << step.offset;
  }
  EXPECT_EQ(windows.calls.path, 5);  // not for the empty title, nor for the same title
  // At program end the entry in progress is recorded up to now, once, and goes on from there.
  Set(1, k10h + 5500, 16000);
  RecordOpenEntry(app);
  RecordOpenEntry(app);
  EXPECT_FALSE(Tick(1, 1, k10h + 6000, 17000));
  EXPECT_TRUE(Tick(2, 1, k10h + 7000, 19000));
  // The overlong title's entry is refused by the day log.
  EXPECT_EQ(Records(app.sampler.day), "36000100+3000 a A|36001600+2800 b B|36004000+2000 - locked|36005000+1000 a A|"
                                      "36005500+3000 a A|");
  EXPECT_FALSE(dayChanged);
}

TEST_F(SamplerTest, DayChangeClosesAtMidnightSavesTheOldDayAndCarriesTheEntry) {
  Start(1, kMidnight - 2000, 10'000);
  RecordOpenEntry(app);  // nothing open yet
  Tick(1, 1, kMidnight - 2000, 10'000);
  EXPECT_FALSE(Tick(1, 1, kMidnight - 100, 11'900));
  EXPECT_TRUE(Tick(1, 2, 50, 12'050));
  EXPECT_TRUE(dayChanged);
  EXPECT_EQ(Records(app.sampler.day), "");
  EXPECT_EQ(Records(Saved(u"20160301.bin2")->viewedDay), "86398000+2000 a A|");  // 12,050 - 50 - 10,000
  EXPECT_EQ(app.pool.Find(StringKey(u"C:\\a.exe")), nullptr);
  // The carried entry restarts at midnight; its executable is not met again, so the new day's save
  // names only B's.
  Tick(2, 2, 1000, 13'000);
  EXPECT_EQ(Records(app.sampler.day), "0+1000 a A|");
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 2));
  auto today = Saved(u"20160302.bin2");
  EXPECT_EQ(today->pool.Find(StringKey(u"C:\\a.exe")), nullptr);
  EXPECT_NE(today->pool.Find(StringKey(u"C:\\b.exe")), nullptr);
}

TEST_F(SamplerTest, DayChangesWithAnEntryBegunAtOrAfterMidnightOrWithNoneOpen) {
  // Begun at midnight: closed at the next day change after a whole day.
  Start(2, 0, 1000);
  Tick(1, 2, 0, 1000);
  EXPECT_TRUE(Tick(1, 3, 10, 1000 + kMidnight + 10));
  EXPECT_EQ(Records(Saved(u"20160302.bin2")->viewedDay), "0+86400000 a A|");
  auto closeAll = [&] {
    app.sampler.open = OpenEntry();
    app.sampler.title[0] = 0;
  };
  // Recorded at program end just past midnight: it belongs to the new day and goes on unchanged.
  closeAll();
  Start(3, kMidnight - 1000, 1000);
  Tick(2, 3, kMidnight - 1000, 1000);
  Set(4, 500, 2500);
  RecordOpenEntry(app);
  Tick(2, 4, 600, 2600);
  EXPECT_EQ(Records(Saved(u"20160303.bin2")->viewedDay), "86399000+1500 b B|");
  Tick(1, 4, 1600, 3600);
  EXPECT_EQ(Records(app.sampler.day), "500+1100 b B|");
  // Nothing open: the day changes and nothing is made up.
  closeAll();
  Tick(0, 5, 1000, 9000);
  Tick(1, 5, 2000, 10'000);
  Tick(2, 5, 3000, 11'000);
  EXPECT_EQ(Records(app.sampler.day), "2000+1000 a A|");
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
  EXPECT_EQ(windows.calls.driveStrings, 1);
  EXPECT_EQ(windows.calls.dosDevice, 4);
  // The same volume under two letters: the one that matched last wins.
  drives.entries.push_back({u"E:", u"\\Device\\HarddiskVolume2"});
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x"), u"C:\\x");
  drives.lastHit = 2;
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x"), u"E:\\x");
  EXPECT_EQ(drives.lastHit, 2);
  drives.lastHit = 3;  // one past the end
  EXPECT_EQ(Translate(u"\\Device\\CdRom0\\y"), u"D:\\y");
}

TEST_F(DriveMapTest, DriveListGrowsInStepsUpTo448Units) {
  windows.drives.clear();
  for (char16_t letter = u'A'; letter < u'A' + 21; ++letter) windows.drives.push_back({letter, u':'});
  windows.devices = {{u"T:", u"\\Device\\T"}};
  EXPECT_EQ(Translate(u"\\Device\\T\\x"), u"T:\\x");  // 64 units: one more than the first buffer
  EXPECT_EQ(windows.calls.driveStrings, 2);

  DriveMap tooMany;
  std::u16string out(kPathUnits, u'\0');
  windows.drives.assign(111, u"T:\\");  // 445 units: the largest list that fits
  EXPECT_TRUE(TranslateDevicePath(tooMany, windows, u"\\Device\\T\\x", std::span(out)));
  tooMany = DriveMap();
  windows.drives.push_back(u"T:\\");
  windows.calls = {};
  EXPECT_FALSE(TranslateDevicePath(tooMany, windows, u"\\Device\\T\\x", std::span(out)));
  EXPECT_FALSE(TranslateDevicePath(tooMany, windows, u"\\Device\\T\\x", std::span(out)));
  EXPECT_EQ(windows.calls.driveStrings, 7);  // 64, 128, ... 448, and never again
  EXPECT_EQ(windows.calls.dosDevice, 0);
}

TEST_F(DriveMapTest, ExecutablePathFallsBackToTheDeviceForm) {
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
  for (uintptr_t window : {3, 4}) {
    EXPECT_FALSE(ExecutablePathOfWindow(drives, windows, window, path));
    EXPECT_EQ(ArrayText(path), u"");
  }
}

}  // namespace
}  // namespace qm
