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

LocalTime Hour(uint16_t hour, uint16_t minute = 0, uint16_t second = 0, uint16_t ms = 0) {
  return {2016, 3, 0, 1, hour, minute, second, ms};
}

LocalTime March(uint16_t day, uint16_t hour, uint16_t minute, uint16_t second, uint16_t ms) {
  return {2016, 3, 0, day, hour, minute, second, ms};
}

TEST(AutoSaveDue, HourStepsPerMode) {
  struct Case {
    int32_t mode;
    uint16_t from;
    uint16_t to;
    bool due;
  };
  const Case cases[] = {
      {0, 10, 11, false}, {1, 10, 11, true},  {1, 11, 11, false}, {1, 23, 0, false}, {1, 3, 7, true},
      {2, 11, 12, true},  {2, 12, 13, false}, {2, 10, 12, false}, {3, 2, 3, true},   {3, 20, 21, true},
      {3, 3, 4, false},   {3, 23, 0, false},  {3, 1, 3, false},   {4, 5, 6, true},   {4, 11, 12, true},
      {4, 17, 18, true},  {4, 8, 9, false},   {5, 10, 11, false}, {-1, 10, 11, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AutoSaveDue(c.mode, Hour(c.from), Hour(c.to)), c.due) << c.mode << ": " << c.from << "->" << c.to;
  }
  // Only the hour counts: the tick that crosses 11:00 saves, the next in the same hour does not.
  EXPECT_TRUE(AutoSaveDue(1, Hour(10, 59, 59, 900), Hour(11)));
  EXPECT_FALSE(AutoSaveDue(1, Hour(11), Hour(11, 0, 0, 100)));
}

class CheckTimerTest : public ::testing::Test {
 protected:
  CheckTimerTest() {
    windows.SetWindow(1, u"A", u"C:\\a.exe");
    windows.SetWindow(2, u"B", u"C:\\b.exe");
    app.settings.autoSave = 1;
    app.settings.deleteAge = 1;  // a week
    Set(March(8, 23, 59, 58, 0), 1000);
    app.sampler.lastTick = env.now;
    list.Rebuild(app.sampler.day);
    list.shownDate = {2016, 3, 8};
  }
  void Set(const LocalTime& time, uint32_t tick) {
    env.now = time;
    env.tick = tick;
  }
  CheckTimerResult Run(uintptr_t window, const LocalTime& time, uint32_t tick) {
    Set(time, tick);
    windows.foreground = window;
    return RunCheckTimer(app, windows, list, [this] { return ++saves > 0; });
  }

  test::FakeEnv env;
  AppState app{env};
  test::FakeWindowSystem windows;
  ListModel list;
  int saves = 0;
};

TEST_F(CheckTimerTest, ListOfTheCurrentDayGainsRowsAndSavesOnTheHour) {
  app.sampler.lastTick = March(8, 9, 59, 58, 0);
  Run(1, March(8, 9, 59, 59, 0), 1000);
  const CheckTimerResult unchanged = Run(1, March(8, 9, 59, 59, 900), 1900);
  EXPECT_FALSE(unchanged.changed);
  const CheckTimerResult r = Run(2, March(8, 10, 0, 0, 0), 2000);
  EXPECT_TRUE(r.changed);
  EXPECT_FALSE(r.retitle);
  EXPECT_TRUE(r.autoSaved);
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(list.RowCount(), 1u);
  EXPECT_EQ(windows.calls.foreground, 3);
}

TEST_F(CheckTimerTest, DayChangeMovesTheListFromTheFinishedDayAndCleansUpByTheNewDate) {
  // Eight days before the new date goes; seven before it (eight before the old one) stays.
  env.CreateFolder(u"/app/log");
  env.PutFile(u"/app/log/20160301.bin2", "x");
  env.PutFile(u"/app/log/20160302.bin2", "x");
  Run(1, March(8, 23, 59, 58, 0), 1000);
  const CheckTimerResult r = Run(2, March(9, 0, 0, 0, 50), 2050);
  EXPECT_TRUE(r.changed);
  EXPECT_TRUE(r.dayChanged);
  EXPECT_TRUE(r.retitle);
  EXPECT_FALSE(r.autoSaved);  // 23 -> 0 is the day change's own save
  EXPECT_EQ(list.shownDate.day, 9);
  EXPECT_EQ(list.Source(), &app.sampler.day);
  EXPECT_EQ(list.RowCount(), 1u);  // the carried entry, closed by the switch to B
  EXPECT_TRUE(env.HasFile(u"/app/log/20160308.bin2"));
  EXPECT_FALSE(env.HasFile(u"/app/log/20160301.bin2"));
  EXPECT_TRUE(env.HasFile(u"/app/log/20160302.bin2"));
}

TEST_F(CheckTimerTest, ListOfAnotherDayIsLeftAlone) {
  DayLog other;
  other.Append({0, 5, 5, 0}, u"old");
  list.Rebuild(other);
  list.shownDate = {2016, 2, 1};
  Run(1, March(8, 23, 59, 58, 0), 1000);
  Run(2, March(8, 23, 59, 59, 0), 2000);
  const CheckTimerResult r = Run(1, March(9, 0, 0, 0, 50), 2050);
  EXPECT_TRUE(r.changed);
  EXPECT_FALSE(r.retitle);
  EXPECT_EQ(list.Source(), &other);
  EXPECT_EQ(list.RowCount(), 1u);
  EXPECT_EQ(list.shownDate.month, 2);
}

}  // namespace
}  // namespace qm
