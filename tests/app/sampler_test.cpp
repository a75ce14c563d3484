// The sampler on a scripted clock and foreground window: when entries open and close, and how device
// paths become drive-letter paths; then the check timer that runs it: when everything is saved, and
// which day the list follows across midnight. (Kills across midnight: see the journal's tests.)
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/app_state.h"
#include "app/auto_save_schedule.h"
#include "app/check_timer.h"
#include "app/sampler.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"
#include "support/recording_session.h"

namespace qm {
namespace {

// The clock at 10:00 plus `offset` ms of 1 March; the tick runs at twice its pace, so that durations
// (ticks) and starts (clock) differ.
void SetClock(test::FakeEnv& env, uint32_t offset) {
  test::SetSimulatedTime(env, 36'000'000 + offset);
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

LocalTime March(uint16_t day, uint16_t hour, uint16_t minute = 0, uint16_t second = 0, uint16_t ms = 0) {
  return {2016, 3, 0, day, hour, minute, second, ms};
}

TEST(AutoSaveDue, HourStepsPerMode) {
  // {mode, hour before, hour after, due}
  const int cases[][4] = {{0, 10, 11, 0}, {1, 10, 11, 1}, {1, 11, 11, 0}, {1, 23, 0, 0}, {1, 3, 7, 1},  {2, 11, 12, 1},
                          {2, 12, 13, 0}, {2, 10, 12, 0}, {3, 2, 3, 1},   {3, 20, 21, 1}, {3, 3, 4, 0},  {3, 23, 0, 0},
                          {3, 1, 3, 0},   {4, 5, 6, 1},   {4, 11, 12, 1}, {4, 17, 18, 1}, {4, 8, 9, 0},  {4, 6, 7, 0},
                          {5, 10, 11, 0}, {-1, 10, 11, 0}};
  for (const auto& [mode, from, to, due] : cases) {
    EXPECT_EQ(AutoSaveDue(mode, March(1, from), March(1, to)), due != 0) << mode << ": " << from << "->" << to;
  }
  // Only the hour counts: the tick that crosses 11:00 saves, the next in the same hour does not.
  EXPECT_TRUE(AutoSaveDue(1, March(1, 10, 59, 59, 900), March(1, 11)));
  EXPECT_FALSE(AutoSaveDue(1, March(1, 11), March(1, 11, 0, 0, 100)));
}

// Across midnight the list moves from the finished day to the new one, the old day is saved (the day
// change's own save, not the hourly one) and old logs go by the new date: eight days before it goes,
// seven before it (eight before the old one) stays. The timeline is redrawn when a tick changed the
// list it shows, never on a tick that changed nothing nor for another day.
TEST(CheckTimer, ListAndTimelineFollowTheRecordedDayAcrossMidnightAndOldLogsGoByTheNewDate) {
  test::FakeEnv env;
  AppState app(env);
  test::FakeWindowSystem windows;
  ListModel list;
  windows.SetWindow(1, u"A", u"C:\\a.exe");
  windows.SetWindow(2, u"B", u"C:\\b.exe");
  app.settings.autoSave = 1;
  app.settings.deleteAge = 1;  // a week
  env.now = app.sampler.lastTick = March(8, 23, 59, 58);
  list.Rebuild(app.sampler.day);
  list.shownDate = {2016, 3, 8};
  env.PutFile(u"/app/log/20160301.bin2", "x");
  env.PutFile(u"/app/log/20160302.bin2", "x");
  int saves = 0;
  auto run = [&](uintptr_t window, const LocalTime& time, uint32_t tick) {
    env.now = time;
    env.tick = tick;
    windows.foreground = window;
    const CheckTimerResult r = RunCheckTimer(app, windows, list, [&] { return ++saves > 0; });
    return std::string{char('0' + r.changed), char('0' + r.dayChanged), char('0' + r.retitle),
                       char('0' + r.listChanged), char('0' + r.autoSaved)};
  };
  EXPECT_EQ(run(1, March(8, 23, 59, 58), 1000), "10010");
  EXPECT_EQ(run(1, March(8, 23, 59, 59), 2000), "00000");
  EXPECT_EQ(run(2, March(9, 0, 0, 0, 50), 2050), "11110");  // changed, day changed, retitle, redraw, no auto-save
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(list.shownDate.day, 9);
  EXPECT_EQ(list.Source(), &app.sampler.day);
  EXPECT_EQ(list.RowCount(), 1u);  // the carried entry, closed by the switch to B
  EXPECT_TRUE(env.HasFile(u"/app/log/20160308.bin2"));
  EXPECT_TRUE(!env.HasFile(u"/app/log/20160301.bin2") && env.HasFile(u"/app/log/20160302.bin2"));
  list.shownDate = {2016, 3, 2};  // another day: its rows and picture stay as they are
  EXPECT_EQ(run(1, March(9, 0, 0, 1), 3050), "10000");
  EXPECT_EQ(list.RowCount(), 1u);
}

}  // namespace
}  // namespace qm
