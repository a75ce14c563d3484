// Away time on the fake clock, input and window system: no input for the threshold ends the entry at
// the last input, the announced absences and the screen saver end it at once, a full-screen window or
// a display-on request keeps someone present, and away time stays a gap across midnight.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/presence.h"
#include "platform/utf.h"
#include "support/recording_session.h"

namespace qm {
namespace {

constexpr uint64_t kTen = 10 * 3'600'000;  // 10:00 on 1 March

// "start+duration title|", in seconds after 10:00.
std::string Records(const DayLog& day) {
  std::string text;
  for (uint32_t i = 0; i < day.Count(); ++i) {
    const ActivityRecord r = day.Header(i);
    char line[64];
    std::snprintf(line, sizeof line, "%g+%g ", (r.start - kTen) / 1000.0, r.duration / 1000.0);
    text += line + ToUtf8(day.Title(i)) + "|";
  }
  return text;
}

struct PresenceTest : ::testing::Test {
  PresenceTest() {
    windows.SetWindow(1, u"A", u"C:\\a.exe");
    windows.SetWindow(2, u"B", u"C:\\b.exe");
    run.app.ini.awayAfterSeconds = 60;
  }
  // The user touches something `seconds` after 10:00 (the tick of SetSimulatedTime).
  void Input(double seconds) { windows.lastInput = static_cast<uint32_t>(1000 + kTen + seconds * 1000); }
  // A check then with `window` in front; with `input`, just after an input.
  void At(double seconds, uintptr_t window, bool input = false) {
    if (input) Input(seconds);
    run.Check(kTen + static_cast<uint64_t>(seconds * 1000), window);
  }
  // Checks every half second from `from` to `to`, input on each when `input`.
  void During(double from, double to, uintptr_t window, bool input = false) {
    for (double t = from; t <= to; t += 0.5) At(t, window, input);
  }
  std::string Records() const { return qm::Records(run.app.sampler.day); }
  test::FakeEnv env;
  test::FakeWindowSystem windows;
  test::RecordingSession run{env, windows, kTen};
};

// Records closed between the last input and the moment away is seen keep their times; the entry
// then in progress ends at the last input, not before its own start; nothing is recorded while away.
TEST_F(PresenceTest, ThresholdEndsTheEntryAtTheLastInputAndInputStartsTheNext) {
  During(0, 30, 1, true);
  During(30.5, 89.5, 1);
  EXPECT_FALSE(IsAway(run.app.sampler));
  EXPECT_TRUE(run.Check(kTen + 90'000, 1).changed);  // 60 s after the last input
  EXPECT_TRUE(IsAway(run.app.sampler));
  EndAbsence(run.app, Absence::DisplayOff);  // an end never begun brings nobody back
  During(90.5, 120, 2);                      // a window comes up, nobody touches it
  Input(120.2);                              // between two checks: the next one starts the entry
  During(120.5, 150, 2, true);
  During(150.5, 160, 2);
  During(160.5, 300, 1);  // A comes up by itself at 160.5, after the last input
  EXPECT_EQ(Records(), "0+30 A|120.5+40 B|160.5+0 A|");
}

TEST_F(PresenceTest, OffRecordsHoursWithoutInput) {
  run.app.ini.awayAfterSeconds = 0;
  At(0, 1, true);
  for (int t = 60; t <= 7200; t += 60) At(t, 1);
  At(7201, 2);
  EXPECT_EQ(Records(), "0+7201 A|");
}

// Whatever the threshold, even with away detection off. Two absences at once end with the later end;
// the end of the last one is a sign of someone there.
TEST_F(PresenceTest, AnnouncedAbsencesAndTheScreenSaverEndTheEntryAtOnce) {
  run.app.ini.awayAfterSeconds = 0;
  During(0, 10, 1, true);
  EndAbsence(run.app, Absence::DisplayOff);  // the state sent at registration: the display is on
  EXPECT_TRUE(BeginAbsence(run.app, Absence::Locked));
  During(10.5, 15, 1, true);
  EXPECT_FALSE(BeginAbsence(run.app, Absence::Disconnected));
  EndAbsence(run.app, Absence::Locked);
  During(15.5, 20, 1, true);
  EndAbsence(run.app, Absence::Disconnected);
  During(20.5, 30, 1);
  EXPECT_TRUE(BeginAbsence(run.app, Absence::DisplayOff));
  During(30.5, 40, 1);
  EndAbsence(run.app, Absence::DisplayOff);
  During(40.5, 50, 1, true);
  windows.screenSaver = true;
  During(50.5, 60, 1);  // looked at a second after the last input
  Input(60.2);          // which ends the screen saver
  windows.screenSaver = false;
  During(60.5, 70, 1);
  run.app.ini.awayAfterSeconds = 60;
  BeginAbsence(run.app, Absence::Locked);
  During(70.5, 200, 1);
  EndAbsence(run.app, Absence::Locked);  // the return counts as input (a face unlocks the session, say)
  During(200.5, 210, 1);
  At(210.5, 2);
  EXPECT_EQ(Records(), "0+10 A|20.5+9.5 A|40.5+10.5 A|60.5+9.5 A|200.5+10 A|");
}

// Input, else the state that keeps someone there, is looked at at most once a second; the entry
// ends at the last look that still found it, the screen saver ending it at once.
TEST_F(PresenceTest, FullScreenAndDisplayOnKeepSomeonePresentUntilTheyEnd) {
  struct Case {
    bool fullScreen, displayRequired, presentWhileFullScreen, screenSaver;
    const char* records;
  };
  const Case cases[] = {
      {false, false, true, false, "0+10 A|"},    {true, false, true, false, "0+199.75 A|"},
      {false, true, true, false, "0+199.75 A|"}, {true, true, false, false, "0+10 A|"},
      {true, false, true, true, "0+11 A|"},
  };
  for (const Case& c : cases) {
    test::FakeEnv caseEnv;
    test::FakeWindowSystem caseWindows;
    caseWindows.SetWindow(1, u"A");
    test::RecordingSession session(caseEnv, caseWindows, kTen);
    session.app.ini.awayAfterSeconds = 60;
    session.app.ini.presentWhileFullScreen = c.presentWhileFullScreen;
    caseWindows.fullScreen = c.fullScreen, caseWindows.displayRequired = c.displayRequired;
    caseWindows.screenSaver = c.screenSaver;
    for (int ms = 0; ms <= 300'000; ms += 250) {
      if (ms <= 10'000) caseWindows.lastInput = static_cast<uint32_t>(1000 + kTen + ms);
      if (ms == 200'000) caseWindows.fullScreen = caseWindows.displayRequired = false;
      session.Check(kTen + ms, 1);
    }
    EXPECT_EQ(qm::Records(session.app.sampler.day), c.records)
        << c.fullScreen << c.displayRequired << c.presentWhileFullScreen << c.screenSaver;
    EXPECT_NEAR(caseWindows.calls.presenceLooks, 290, 1);  // once a second from 11 s on
  }
}

// Away before midnight: the finished day holds the shortened entry and the new day nothing until
// input. Away seen after midnight: the entry the day change closed keeps its time, and the one
// carried into the new day ends where it began.
TEST_F(PresenceTest, AwayAcrossMidnightIsAGapInBothDays) {
  constexpr uint64_t kDay = kMillisecondsPerDay;
  const struct {
    uint64_t lastInput;
    const char* oldDay;
    const char* newDay;
  } cases[] = {
      {kDay - 120'000, "84600000+1680000 A|", "60000+5000 A|"},
      {kDay - 30'000, "84600000+1800000 A|", "0+0 A|60000+5000 A|"},
  };
  for (const auto& c : cases) {
    test::FakeEnv dayEnv;
    test::FakeWindowSystem dayWindows;
    dayWindows.SetWindow(1, u"A");
    test::RecordingSession session(dayEnv, dayWindows, kDay - 1'800'000);
    session.app.ini.awayAfterSeconds = 60;
    for (uint64_t ms = kDay - 1'800'000; ms <= kDay + 65'000; ms += 500) {
      if (ms <= c.lastInput || ms == kDay + 60'000) dayWindows.lastInput = static_cast<uint32_t>(1000 + ms);
      session.Check(ms, 1);
    }
    auto text = [](const std::vector<test::StoredRecord>& records) {
      std::string t;
      for (const auto& r : records)
        t += std::to_string(r.start) + "+" + std::to_string(r.duration) + " " + ToUtf8(r.title) + "|";
      return t;
    };
    EXPECT_EQ(text(test::ReadDayRecords(dayEnv, 1)), c.oldDay);
    ASSERT_TRUE(session.Exit());
    EXPECT_EQ(text(test::ReadDayRecords(dayEnv, 2)), c.newDay);
  }
}

}  // namespace
}  // namespace qm
