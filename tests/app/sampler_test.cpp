// The sampler on a scripted clock and foreground window: when entries open and close, what a day
// change saves and carries over, and how device paths become drive-letter paths.
#include <gtest/gtest.h>

#include <memory>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "app/sampler.h"
#include "storage/day_log_file.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace qm {
namespace {

LocalTime At(uint16_t day, uint16_t hour, uint16_t minute, uint16_t second, uint16_t ms) {
  return {2016, 3, 0, day, hour, minute, second, ms};
}

uint32_t Key(std::u16string_view path) { return static_cast<uint32_t>(StringKey(path)); }

class SamplerTest : public ::testing::Test {
 protected:
  SamplerTest() {
    windows.SetWindow(1, u"A", u"C:\\a.exe");
    windows.SetWindow(2, u"B", u"C:\\b.exe");
    Start(At(1, 10, 0, 0, 123), 5000);
  }
  // The clock, and the sampler's last look at it, at `time`.
  void Start(const LocalTime& time, uint32_t tick) {
    env.now = time;
    env.tick = tick;
    app.sampler.lastTick = time;
  }
  bool Tick(uintptr_t window, const LocalTime& time, uint32_t tick) {
    env.now = time;
    env.tick = tick;
    dayChanged = false;
    return SampleTick(app, windows, window, dayChanged);
  }
  // A saved day log of the fake disk, read back into a state of its own.
  std::unique_ptr<AppState> Saved(std::u16string_view name) {
    auto viewer = std::make_unique<AppState>(env);
    EXPECT_TRUE(LoadDayLogFile(*viewer, viewer->viewedDay, u"/app/log/" + std::u16string(name), UserViewedDay));
    return viewer;
  }
  const DayLog& day() const { return app.sampler.day; }

  test::FakeEnv env;
  AppState app{env};
  test::FakeWindowSystem windows;
  bool dayChanged = false;
};

TEST_F(SamplerTest, EntriesFollowTheTitleNotTheWindow) {
  EXPECT_TRUE(Tick(1, At(1, 10, 0, 0, 123), 5000));
  EXPECT_FALSE(Tick(1, At(1, 10, 0, 0, 623), 5500));
  EXPECT_EQ(day().Count(), 0u);

  EXPECT_TRUE(Tick(2, At(1, 10, 0, 1, 623), 6500));
  ASSERT_EQ(day().Count(), 1u);
  const ActivityRecord a = day().Header(0);
  EXPECT_EQ(a.start, 36'000'123u);
  EXPECT_EQ(a.duration, 1500u);
  EXPECT_EQ(a.exeKey, Key(u"C:\\a.exe"));
  EXPECT_EQ(day().Title(0), u"A");
  EXPECT_EQ(app.pool.Find(StringKey(u"C:\\b.exe"))->users, UserCurrentDay);
  EXPECT_EQ(app.pool.currentDayStringBytes, 2 * (9 + 9));
  EXPECT_FALSE(dayChanged);

  // Another window with the same title continues the entry.
  windows.SetWindow(3, u"B", u"C:\\other.exe");
  EXPECT_FALSE(Tick(3, At(1, 10, 0, 2, 0), 6877));
  EXPECT_EQ(day().Count(), 1u);
  EXPECT_EQ(app.sampler.window, 2u);
}

TEST_F(SamplerTest, NoForegroundWindowKeepsTheEntryAndStillAdvancesTheClock) {
  Tick(1, At(1, 10, 0, 0, 123), 5000);
  const int titleReads = windows.calls.title;
  EXPECT_FALSE(Tick(0, At(1, 10, 0, 5, 0), 9877));
  EXPECT_EQ(windows.calls.title, titleReads);
  EXPECT_EQ(app.sampler.lastTick.second, 5);
  EXPECT_TRUE(app.sampler.open.isOpen);

  Tick(2, At(1, 10, 0, 6, 0), 10877);
  ASSERT_EQ(day().Count(), 1u);
  EXPECT_EQ(day().Header(0).duration, 5877u);
}

TEST_F(SamplerTest, EmptyTitleAtStartOpensNothing) {
  windows.SetWindow(4, u"", u"C:\\shell.exe");
  EXPECT_FALSE(Tick(4, At(1, 10, 0, 0, 123), 5000));
  EXPECT_FALSE(app.sampler.open.isOpen);
  EXPECT_EQ(windows.calls.path, 0);
  EXPECT_EQ(app.pool.Size(), 0u);

  EXPECT_TRUE(Tick(1, At(1, 10, 0, 1, 0), 5877));
  Tick(2, At(1, 10, 0, 2, 0), 6877);
  ASSERT_EQ(day().Count(), 1u);
  EXPECT_EQ(day().Header(0).start, 36'001'000u);
}

TEST_F(SamplerTest, OverlongTitleIsDroppedAndTheNextEntryRecordsNormally) {
  // 300 units arrive as 255, and a second look at the same window compares equal.
  windows.SetWindow(5, std::u16string(300, u'x'), u"C:\\long.exe");
  EXPECT_TRUE(Tick(5, At(1, 10, 0, 0, 123), 5000));
  EXPECT_EQ(ArrayText(app.sampler.title).size(), 255u);
  EXPECT_FALSE(Tick(5, At(1, 10, 0, 0, 500), 5377));

  Tick(1, At(1, 10, 0, 1, 0), 5877);
  EXPECT_EQ(day().Count(), 0u);
  Tick(2, At(1, 10, 0, 2, 0), 6877);
  ASSERT_EQ(day().Count(), 1u);
  EXPECT_EQ(day().Title(0), u"A");
  EXPECT_EQ(day().Header(0).duration, 1000u);
}

TEST_F(SamplerTest, UnreadableProcessGivesKeyZeroAndTheEntryIsStillRecorded) {
  windows.SetWindow(6, u"locked");
  Tick(6, At(1, 10, 0, 0, 123), 5000);
  EXPECT_EQ(app.sampler.open.exeKey, 0u);
  EXPECT_EQ(windows.calls.devicePath, 1);
  Tick(1, At(1, 10, 0, 1, 0), 5877);
  ASSERT_EQ(day().Count(), 1u);
  EXPECT_EQ(day().Header(0).exeKey, 0u);
  EXPECT_EQ(day().Title(0), u"locked");
}

TEST_F(SamplerTest, DayChangeClosesAtMidnightSavesTheOldDayAndCarriesTheEntry) {
  Start(At(1, 23, 59, 58, 0), 10'000);
  Tick(1, At(1, 23, 59, 58, 0), 10'000);
  EXPECT_FALSE(Tick(1, At(1, 23, 59, 59, 900), 11'900));

  EXPECT_TRUE(Tick(1, At(2, 0, 0, 0, 50), 12'050));
  EXPECT_TRUE(dayChanged);
  EXPECT_EQ(day().Count(), 0u);
  EXPECT_EQ(app.sampler.open.start, 0u);
  EXPECT_EQ(app.sampler.open.startTick, 12'000u);
  EXPECT_EQ(ArrayText(app.sampler.title), u"A");
  EXPECT_EQ(app.sampler.lastTick.day, 2);
  EXPECT_EQ(app.pool.Find(StringKey(u"C:\\a.exe")), nullptr);

  auto finished = Saved(u"20160301.bin2");
  ASSERT_EQ(finished->viewedDay.Count(), 1u);
  EXPECT_EQ(finished->viewedDay.Header(0).start, 86'398'000u);
  EXPECT_EQ(finished->viewedDay.Header(0).duration, 2000u);  // 12,050 - 50 - 10,000
  EXPECT_EQ(finished->viewedDay.Title(0), u"A");
  EXPECT_NE(finished->pool.Find(StringKey(u"C:\\a.exe")), nullptr);

  // The carried executable is not met again: the new day's save names only B's.
  Tick(2, At(2, 0, 0, 1, 0), 13'000);
  ASSERT_EQ(day().Count(), 1u);
  EXPECT_EQ(day().Header(0).start, 0u);
  EXPECT_EQ(day().Header(0).duration, 1000u);
  EXPECT_EQ(day().Header(0).exeKey, Key(u"C:\\a.exe"));
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 2));
  auto today = Saved(u"20160302.bin2");
  EXPECT_EQ(today->pool.Find(StringKey(u"C:\\a.exe")), nullptr);
  EXPECT_NE(today->pool.Find(StringKey(u"C:\\b.exe")), nullptr);
}

TEST_F(SamplerTest, EntryBegunAtMidnightIsClosedAtTheNextDayChange) {
  Start(At(2, 0, 0, 0, 0), 1000);
  Tick(1, At(2, 0, 0, 0, 0), 1000);
  EXPECT_EQ(app.sampler.open.start, 0u);
  EXPECT_TRUE(Tick(1, At(3, 0, 0, 0, 10), 1000 + kMillisecondsPerDay + 10));
  auto finished = Saved(u"20160302.bin2");
  ASSERT_EQ(finished->viewedDay.Count(), 1u);
  EXPECT_EQ(finished->viewedDay.Header(0).start, 0u);
  EXPECT_EQ(finished->viewedDay.Header(0).duration, kMillisecondsPerDay);
}

TEST_F(SamplerTest, RecordOpenEntryRecordsUpToNowAndCountsNothingTwice) {
  RecordOpenEntry(app);  // nothing open yet
  EXPECT_EQ(day().Count(), 0u);

  Tick(1, At(1, 10, 0, 0, 0), 1000);
  env.now = At(1, 10, 0, 3, 0);
  env.tick = 4000;
  RecordOpenEntry(app);
  RecordOpenEntry(app);  // a second end message at the same moment adds nothing
  ASSERT_EQ(day().Count(), 1u);
  EXPECT_EQ(day().Header(0).start, 36'000'000u);
  EXPECT_EQ(day().Header(0).duration, 3000u);
  EXPECT_EQ(app.sampler.open.start, 36'003'000u);
  EXPECT_EQ(app.sampler.open.exeKey, Key(u"C:\\a.exe"));

  // The program goes on: the same title is the same entry, which closes from the moment recorded.
  EXPECT_FALSE(Tick(1, At(1, 10, 0, 4, 0), 5000));
  Tick(2, At(1, 10, 0, 5, 0), 6000);
  ASSERT_EQ(day().Count(), 2u);
  EXPECT_EQ(day().Header(1).start, 36'003'000u);
  EXPECT_EQ(day().Header(1).duration, 2000u);
  EXPECT_EQ(day().Title(1), u"A");
}

TEST_F(SamplerTest, EntryRecordedJustPastMidnightIsCarriedUnchanged) {
  Start(At(1, 23, 59, 59, 0), 1000);
  Tick(1, At(1, 23, 59, 59, 0), 1000);
  env.now = At(2, 0, 0, 0, 500);
  env.tick = 2500;
  RecordOpenEntry(app);
  Tick(1, At(2, 0, 0, 0, 600), 2600);
  EXPECT_EQ(Saved(u"20160301.bin2")->viewedDay.Count(), 1u);
  EXPECT_EQ(app.sampler.open.start, 500u);
  EXPECT_EQ(app.sampler.open.startTick, 2500u);
}

class DriveMapTest : public ::testing::Test {
 protected:
  DriveMapTest() {
    windows.drives = {u"A:\\", u"C:\\", u"D:\\"};
    windows.devices = {{u"C:", u"\\Device\\HarddiskVolume2"}, {u"D:", u"\\Device\\CdRom0"}};  // A: fails
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

TEST_F(DriveMapTest, DevicePrefixFollowedByBackslashBecomesTheDrive) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"\\Device\\HarddiskVolume2\\x.exe", u"C:\\x.exe"},
      {u"\\device\\HARDDISKVOLUME2\\Dir\\x.exe", u"C:\\Dir\\x.exe"},
      {u"\\Device\\HarddiskVolume22\\x.exe", u"-"},
      {u"\\Device\\HarddiskVolume2", u"-"},
      {u"\\Device\\CdRom0\\y", u"D:\\y"},
      {u"", u"-"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(Translate(cases[i].first), cases[i].second) << i;
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x.exe", 5), u"C:\\x");
  // Built once: one drive list and one query per drive, the failing A: included.
  EXPECT_EQ(windows.calls.driveStrings, 1);
  EXPECT_EQ(windows.calls.dosDevice, 3);
  ASSERT_EQ(drives.entries.size(), 2u);
  EXPECT_EQ(drives.entries[0].drive, u"C:");
}

TEST_F(DriveMapTest, LastHitIsTriedFirst) {
  windows.drives.push_back(u"E:\\");
  windows.devices[u"E:"] = u"\\Device\\HarddiskVolume2";  // the same volume under two letters
  EXPECT_EQ(Translate(u"\\Device\\CdRom0\\y"), u"D:\\y");
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x"), u"C:\\x");
  drives.lastHit = 2;
  EXPECT_EQ(Translate(u"\\Device\\HarddiskVolume2\\x"), u"E:\\x");
  EXPECT_EQ(drives.lastHit, 2);
}

TEST_F(DriveMapTest, DriveListGrowsInStepsUpTo448Units) {
  windows.drives.clear();
  for (char16_t letter = u'A'; letter < u'A' + 20; ++letter) windows.drives.push_back({letter, u':', u'\\'});
  windows.devices = {{u"T:", u"\\Device\\T"}};
  EXPECT_EQ(Translate(u"\\Device\\T\\x"), u"T:\\x");  // 81 units: fits the second buffer
  EXPECT_EQ(windows.calls.driveStrings, 2);

  DriveMap tooMany;
  windows.drives.assign(120, u"T:\\");  // 481 units
  windows.calls = {};
  std::u16string out(kPathUnits, u'\0');
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
  EXPECT_FALSE(ExecutablePathOfWindow(drives, windows, 3, path));
  EXPECT_EQ(ArrayText(path), u"");
  EXPECT_FALSE(ExecutablePathOfWindow(drives, windows, 4, path));
  EXPECT_EQ(ArrayText(path), u"");
}

}  // namespace
}  // namespace qm
