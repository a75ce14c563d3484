// Start-up after runs that were killed: an earlier day's journal completes that day, and files that
// cannot be read are kept aside under names the program reports once.
#include "app/journal_recovery.h"

#include <gtest/gtest.h>

#include "support/recording_session.h"

namespace qm {
namespace {

constexpr uint64_t kHour = 3'600'000;

// A run from `from` for `seconds` switching between two windows every 3 s, then killed.
void KilledRun(test::FakeEnv& env, test::FakeWindowSystem& windows, uint64_t from, int seconds) {
  test::RecordingSession run(env, windows);
  test::SetSimulatedTime(env, from);
  run.Start();
  for (uint64_t t = from; t <= from + seconds * 1000u; t += 250) {
    test::SetSimulatedTime(env, t);
    windows.foreground = 1 + (t - from) / 3000 % 2;
    run.Check();
  }
}

TEST(JournalRecovery, EarlierDaysAreCompletedAndUnreadableFilesAreKeptAsideAndNamedOnce) {
  test::FakeEnv env;
  test::FakeWindowSystem windows;
  windows.SetWindow(1, u"A", u"C:\\a.exe");
  windows.SetWindow(2, u"B", u"C:\\b.exe");
  KilledRun(env, windows, 10 * kHour, 40);  // 1 March, never saved
  KilledRun(env, windows, 24 * kHour + 9 * kHour, 20);
  const std::u16string today = u"/app/log/20160302";
  env.PutFile(today + u".bin2", "not a day log");
  env.PutFile(today + u".journal", env.FileBytes(today + u".journal") + std::string(12, '\x7F'));

  test::RecordingSession program(env, windows);
  test::SetSimulatedTime(env, 24 * kHour + 10 * kHour);
  program.Start();
  const std::vector<std::u16string> kept = {today + u".bin2.unreadable-1", today + u".journal.unreadable-1"};
  EXPECT_EQ(program.keptAside, kept);
  const std::vector<test::StoredRecord> earlier = test::ReadDayRecords(env, 1), now = test::ReadDayRecords(env, 2);
  EXPECT_EQ(earlier.size(), 14u);  // a switch every 3 s for 40 s, the last journaled at the kill
  EXPECT_EQ(now.size(), 7u);
  EXPECT_EQ(now.size(), program.app().sampler.day.Count());
  EXPECT_FALSE(env.HasFile(u"/app/log/20160301.journal"));
  EXPECT_FALSE(env.HasFile(today + u".journal"));

  test::RecordingSession again(env, windows);
  again.Start();
  EXPECT_TRUE(again.keptAside.empty());
  EXPECT_EQ(test::ReadDayRecords(env, 1).size(), earlier.size());
  EXPECT_EQ(test::ReadDayRecords(env, 2).size(), now.size());
}

}  // namespace
}  // namespace qm
