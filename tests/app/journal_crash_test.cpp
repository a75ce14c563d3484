// Recording that is killed: the journal's replay at start-up under every fault, a session killed
// after every file operation, and a week with a crash a day. What was journaled is never lost, and
// nothing is counted twice.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "app/journal_keeper.h"
#include "app/sampler.h"
#include "support/crash_safety.h"
#include "support/recording_session.h"

namespace qm {
namespace {

constexpr uint64_t kMinute = 60'000;
constexpr uint64_t kDay = kMillisecondsPerDay;
const std::u16string kJournal1 = u"/app/log/20160301.journal";

void SetUpWindows(test::FakeWindowSystem& windows) {
  for (uintptr_t w = 1; w <= 5; ++w) {
    const std::u16string n(1, static_cast<char16_t>(u'0' + w));
    windows.SetWindow(w, u"Window " + n, u"C:\\apps\\app" + n + u".exe");
  }
}

uintptr_t Rotating(uint64_t t) { return 1 + (t / 4300 + t / 7100) % 3; }  // a switch every 1-4.3 s

// Checks every 250 ms from `from` to `to` with the window of Rotating in front.
void RunChecks(test::FakeEnv& env, test::FakeWindowSystem& windows, test::RecordingSession& session, uint64_t from,
               uint64_t to) {
  for (uint64_t t = from; t <= to; t += 250) {
    test::SetSimulatedTime(env, t);
    windows.foreground = Rotating(t);
    session.Check();
  }
}

// A day log written by an earlier run, and that run's journal after it was killed 40 s later.
void KilledAfterASave(test::FakeEnv& env, test::FakeWindowSystem& windows) {
  test::RecordingSession run(env, windows);
  test::SetSimulatedTime(env, 10 * 60 * kMinute);
  run.Start();
  RunChecks(env, windows, run, 10 * 60 * kMinute, 10 * 60 * kMinute + 20'000);
  ASSERT_TRUE(SaveRecordingDay(run.app(), run.app().journal));
  RunChecks(env, windows, run, 10 * 60 * kMinute + 20'250, 10 * 60 * kMinute + 60'000);
  ASSERT_TRUE(env.HasFile(kJournal1));
}

TEST(JournalCrash, ReplayAtStartUpLeavesTheOldOrTheCompleteNewDayUnderEveryFault) {
  test::FakeEnv env;
  test::FakeWindowSystem windows;
  SetUpWindows(windows);
  KilledAfterASave(env, windows);
  const std::u16string dayLog = u"/app/log/20160301.bin2";
  const std::string savedDay = env.FileBytes(dayLog), journal = env.FileBytes(kJournal1);
  const size_t savedCount = test::ReadDayRecords(env, 1).size();

  test::SetSimulatedTime(env, 11 * 60 * kMinute);
  auto startUp = [&] {
    test::RecordingSession run(env, windows);
    run.Start();
    return !env.HasFile(kJournal1);
  };
  ASSERT_TRUE(startUp());
  const std::string replayedDay = env.FileBytes(dayLog);
  const std::vector<test::StoredRecord> replayed = test::ReadDayRecords(env, 1);
  ASSERT_GT(replayed.size(), savedCount + 5);
  // The entry in progress at the kill ends at its last journaled moment, 10 s or less before it.
  const test::StoredRecord& last = replayed.back();
  EXPECT_GE(last.start + last.duration, 10 * 60 * kMinute + 50'000);
  for (size_t i = 1; i < replayed.size(); ++i) EXPECT_GT(replayed[i].start, replayed[i - 1].start);

  auto loadsAs = [&](bool isNew) { EXPECT_EQ(test::ReadDayRecords(env, 1).size(), isNew ? replayed.size() : savedCount); };
  test::ExpectOldOrNewUnderEveryFault(env, {{dayLog, savedDay, replayedDay, loadsAs}, {kJournal1, journal, "", nullptr}},
                                      startUp);
}

// What must survive a kill: the records (the entry in progress last among them) covered by the last
// journal write or save that went through, the entry in progress at least as long as written then.
struct Durable {
  size_t count = 0;
  bool withOpen = false;
  uint32_t openDuration = 0;
};

void Covered(Durable& durable, const AppState& app, bool journaled) {
  const SamplerState& s = app.sampler;
  durable.count = s.day.Count();
  durable.withOpen = journaled && s.open.isOpen;
  if (durable.withOpen) {
    ++durable.count;
    durable.openDuration = app.env.TickCount() - s.open.startTick;
  }
}

// Each record recovered is the complete run's, in order, once; the last may be cut short where the
// journal last had it.
void ExpectRecovered(const std::vector<test::StoredRecord>& recovered, const std::vector<test::StoredRecord>& complete,
                     const Durable& durable) {
  ASSERT_LE(recovered.size(), complete.size());
  ASSERT_GE(recovered.size(), durable.count);

  for (size_t i = 0; i < recovered.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "record " << i);
    EXPECT_EQ(recovered[i].start, complete[i].start);
    EXPECT_EQ(recovered[i].title, complete[i].title);
    EXPECT_EQ(recovered[i].exeKey, complete[i].exeKey);
    if (i + 1 < recovered.size()) {
      EXPECT_EQ(recovered[i].duration, complete[i].duration);
    } else {
      EXPECT_LE(recovered[i].duration, complete[i].duration);
      if (recovered.size() == durable.count && durable.withOpen) {
        EXPECT_GE(recovered[i].duration, durable.openDuration);
      }
    }
  }
}

// From 23:58:30 to 00:00:40 with a save at 23:59:00 and the day change, after an earlier run saved
// the day; killed after `kill` file operations (never when negative) and started again.
TEST(JournalCrash, SessionKilledAfterAnyFileOperationKeepsWhatWasJournaled) {
  const uint64_t from = kDay - 90'000, saveAt = kDay - 60'000, to = kDay + 40'000;
  std::vector<test::StoredRecord> complete[2];
  for (int kill = -1;; ++kill) {
    SCOPED_TRACE(::testing::Message() << "killed after " << kill << " operations");
    ASSERT_LT(kill, 1000);
    test::FakeEnv env;
    test::FakeWindowSystem windows;
    SetUpWindows(windows);
    {
      test::RecordingSession earlier(env, windows);
      test::SetSimulatedTime(env, from - 90'000);
      earlier.Start();
      RunChecks(env, windows, earlier, from - 90'000, from - 30'000);
      ASSERT_TRUE(earlier.Exit());
    }
    if (kill >= 0) env.CrashAfter(kill);
    test::RecordingSession run(env, windows);
    test::SetSimulatedTime(env, from);
    run.Start();
    Durable durable[2];
    durable[0].count = test::ReadDayRecords(env, 1).size();
    uint32_t writes = run.app().journal.Writes();
    for (uint64_t t = from; t <= to; t += 250) {
      test::SetSimulatedTime(env, t);
      windows.foreground = Rotating(t);
      const CheckTimerResult result = run.Check();
      const bool saved = t == saveAt && SaveRecordingDay(run.app(), run.app().journal);
      if (env.Dead()) break;  // whatever this check wrote may not have reached the disk
      Durable& today = durable[t >= kDay ? 1 : 0];
      if (result.dayChanged) durable[0] = {complete[0].size(), false, 0};
      // In the order of the check: the journal's write, then the save, which takes the journal away
      // and the entry in progress with it.
      if (run.app().journal.Writes() != writes) Covered(today, run.app(), true);
      if (saved) Covered(today, run.app(), false);
      writes = run.app().journal.Writes();
    }
    const bool finished = !env.Dead();
    if (kill < 0) {
      ASSERT_TRUE(run.Exit());
      complete[0] = test::ReadDayRecords(env, 1);
      complete[1] = test::ReadDayRecords(env, 2);
      ASSERT_GT(complete[1].size(), 5u);
      continue;
    }
    env.Restart();
    test::RecordingSession again(env, windows);
    again.Start();
    ExpectRecovered(test::ReadDayRecords(env, 1), complete[0], durable[0]);
    ExpectRecovered(test::ReadDayRecords(env, 2), complete[1], durable[1]);
    if (finished) break;
  }
}

// A week with a switch every 1-30 s, a save every hour and a kill a day at a random moment (within
// the next few file operations), after which the program starts again at once. Every day, read
// back, runs from midnight to midnight without a gap but the one of its kill: the time since the
// journal's last write, and the moment of the restart.
TEST(JournalCrash, WeekWithAKillADayLosesAtMostTenSecondsAtEach) {
  constexpr uint64_t kStep = 500;  // the slowest check period
  constexpr uint32_t kMaxLoss = kJournalPeriodMs + kStep;
  std::mt19937 random(20160301);
  auto between = [&](uint64_t low, uint64_t high) { return std::uniform_int_distribution<uint64_t>(low, high)(random); };
  test::FakeEnv env;
  test::FakeWindowSystem windows;
  SetUpWindows(windows);
  std::unique_ptr<test::RecordingSession> program;
  auto start = [&](uint64_t t) {
    test::SetSimulatedTime(env, t);
    program = std::make_unique<test::RecordingSession>(env, windows);
    program->Start();
    program->app().settings.autoSave = 1;
  };
  start(0);
  uint64_t nextSwitch = 0, killAt = between(kMinute, kDay - 2 * kMinute) / kStep * kStep;
  for (uint64_t t = 0; t <= 7 * kDay; t += kStep) {
    if (t >= nextSwitch) {
      windows.foreground = 1 + (windows.foreground + between(0, 3)) % 5;  // another window
      nextSwitch = t + between(1, 30) * 1000;
    }
    if (t == killAt) env.CrashAfter(static_cast<int>(between(0, 3)));
    test::SetSimulatedTime(env, t);
    program->Check();
    if (env.Dead()) {
      env.Restart();
      program.reset();
      start(t + kStep);
      killAt = (t / kDay + 1) * kDay + between(kMinute, kDay - 2 * kMinute) / kStep * kStep;
    }
  }
  for (uint16_t day = 1; day <= 7; ++day) {
    SCOPED_TRACE(::testing::Message() << "day " << day);
    const std::vector<test::StoredRecord> records = test::ReadDayRecords(env, day);
    ASSERT_GT(records.size(), 2000u);
    EXPECT_EQ(records.front().start, 0u);
    EXPECT_EQ(records.back().start + records.back().duration, kMillisecondsPerDay);
    int gaps = 0;
    for (size_t i = 1; i < records.size(); ++i) {
      const uint32_t end = records[i - 1].start + records[i - 1].duration;
      ASSERT_LE(end, records[i].start) << "record " << i << " overlaps the one before";
      if (end == records[i].start) continue;
      ++gaps;
      EXPECT_LE(records[i].start - end, kMaxLoss) << "record " << i;
    }
    EXPECT_EQ(gaps, 1);
  }
}

}  // namespace
}  // namespace qm
