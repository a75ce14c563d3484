// The check timer's schedule and list upkeep: when everything is saved, and which day the list
// follows across midnight.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/auto_save_schedule.h"
#include "app/check_timer.h"
#include "support/fake_env.h"
#include "support/fake_window_system.h"

namespace qm {
namespace {

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
// seven before it (eight before the old one) stays.
TEST(CheckTimer, DayChangeMovesTheListFromTheFinishedDayAndCleansUpByTheNewDate) {
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
    return std::string{char('0' + r.changed), char('0' + r.dayChanged), char('0' + r.retitle), char('0' + r.autoSaved)};
  };
  EXPECT_EQ(run(1, March(8, 23, 59, 58), 1000), "1000");
  EXPECT_EQ(run(2, March(9, 0, 0, 0, 50), 2050), "1110");  // changed, day changed, retitle, no auto-save
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(list.shownDate.day, 9);
  EXPECT_EQ(list.Source(), &app.sampler.day);
  EXPECT_EQ(list.RowCount(), 1u);  // the carried entry, closed by the switch to B
  EXPECT_TRUE(env.HasFile(u"/app/log/20160308.bin2"));
  EXPECT_TRUE(!env.HasFile(u"/app/log/20160301.bin2") && env.HasFile(u"/app/log/20160302.bin2"));
}

}  // namespace
}  // namespace qm
