// The journal kept beside the recording: written every 10 s with what changed, nothing while nothing
// is in progress (after suspend), started afresh by a save (keeping the entry in progress), written
// whole after a failed write. Then recording that is killed: the journal's replay at start-up under
// every fault and a session killed after every file operation. What was journaled is never lost, and
// nothing is counted twice.
#include <gtest/gtest.h>

#include <cstring>

#include "app/journal_keeper.h"
#include "app/journal_recovery.h"
#include "app/sampler.h"
#include "support/crash_safety.h"
#include "support/recording_session.h"

namespace qm {
namespace {

constexpr uint64_t kTen = 10 * 3'600'000;  // 10:00 on 1 March

struct JournalKeeperTest : ::testing::Test {
  JournalKeeperTest() {
    windows.SetWindow(1, u"A", u"C:\\a.exe");
    windows.SetWindow(2, u"B", u"C:\\b.exe");
    windows.SetWindow(3, u"");  // not recorded
    windows.SetWindow(4, std::u16string(200, u'x'), u"C:\\d.exe");  // a title no day log takes
  }
  void At(double seconds, uintptr_t window) { run.Check(kTen + static_cast<uint64_t>(seconds * 1000), window); }
  JournalContents Journal() {
    const std::string bytes = env.FileBytes(u"/app/log/20160301.journal");
    return ParseJournal(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  test::FakeEnv env;
  test::FakeWindowSystem windows;
  test::RecordingSession run{env, windows, kTen};
};

TEST_F(JournalKeeperTest, WritesWhatChangedAndStartsAfreshAfterASave) {
  At(0, 1);
  At(9.9, 1);
  EXPECT_EQ(run.app.journal.Writes(), 0u);
  At(10, 1);
  At(15, 2);
  At(20, 2);  // A closed at 15 s (written in progress at 10 s: only its duration is new), B in progress
  At(30, 2);  // B still in progress: only its duration is new
  std::vector<uint8_t> expected(kJournalMagic, kJournalMagic + sizeof kJournalMagic);
  AppendPathEntry(expected, u"C:\\a.exe");
  AppendRecordEntry(expected, 0, {0, kTen, 10'000, static_cast<uint32_t>(StringKey(u"C:\\a.exe"))}, u"A");
  AppendExtendEntry(expected, 0, 15'000);
  AppendPathEntry(expected, u"C:\\b.exe");
  AppendRecordEntry(expected, 1, {0, kTen + 15'000, 5'000, static_cast<uint32_t>(StringKey(u"C:\\b.exe"))}, u"B");
  AppendExtendEntry(expected, 1, 15'000);
  EXPECT_EQ(env.FileBytes(u"/app/log/20160301.journal"), std::string(expected.begin(), expected.end()));
  EXPECT_EQ(run.app.journal.Writes(), 3u);
  At(35, 2);
  EndOpenEntry(run.app);  // suspend: B ends now, and nothing is in progress any more
  for (int t = 40; t <= 60; t += 10) At(t, 3);
  EXPECT_EQ(run.app.journal.Writes(), 4u);
  EXPECT_EQ(Journal().records.at(1).duration, 20'000u);
  At(8 * 3600, 1);  // resume: a new entry, though A was in front before
  EXPECT_EQ(run.app.sampler.open.start, 18 * 3'600'000u);
  At(8 * 3600 + 10, 2);

  // A save leaves the journal the entry in progress (B, record 3) only; a failed write is made good
  // by writing the whole day.
  ASSERT_TRUE(SaveRecordingDay(run.app, run.app.journal));
  EXPECT_EQ(Journal().records.size(), 1u);
  EXPECT_EQ(Journal().records.count(3), 1u);
  env.FailNth(test::FakeEnv::Op::Flush, 1);
  At(8 * 3600 + 20, 1);
  EXPECT_FALSE(run.app.journal.Healthy());
  At(8 * 3600 + 30, 2);
  EXPECT_EQ(Journal().tail, JournalTail::Clean);
  EXPECT_EQ(Journal().records.size(), 6u);
  for (int t = 40; t <= 60; t += 10) At(8 * 3600 + t, 4);  // a title no day log takes is not journaled
  EXPECT_EQ(Journal().records.size(), 6u);
}

constexpr uint64_t kDay = kMillisecondsPerDay;

struct JournalCrash : ::testing::Test {
  JournalCrash() {
    for (uintptr_t w = 1; w <= 3; ++w) {
      const std::u16string n(1, static_cast<char16_t>(u'0' + w));
      windows.SetWindow(w, u"Window " + n, u"C:\\apps\\app" + n + u".exe");
    }
  }
  // Checks every 250 ms with a switch every 1 to 4.3 s.
  void Run(test::RecordingSession& run, uint64_t from, uint64_t to) {
    for (uint64_t t = from; t <= to; t += 250) run.Check(t, Rotating(t));
  }
  static uintptr_t Rotating(uint64_t t) { return 1 + (t / 4300 + t / 7100) % 3; }

  test::FakeEnv env;
  test::FakeWindowSystem windows;
};

// The earlier run saved its day at 10:00:20 and was killed at 10:01: its records since then are in
// the journal only.
TEST_F(JournalCrash, ReplayAtStartUpLeavesTheOldOrTheCompleteNewDayUnderEveryFault) {
  const uint64_t ten = 10 * 3'600'000;
  {
    test::RecordingSession earlier(env, windows, ten);
    Run(earlier, ten, ten + 20'000);
    ASSERT_TRUE(SaveRecordingDay(earlier.app, earlier.app.journal));
    Run(earlier, ten + 20'250, ten + 60'000);
  }
  const std::u16string day = u"/app/log/20160301.bin2", journal = u"/app/log/20160301.journal";
  const std::string savedDay = env.FileBytes(day), journaled = env.FileBytes(journal);
  const size_t saved = test::ReadDayRecords(env, 1).size();
  auto startUp = [&] {
    test::RecordingSession run(env, windows, ten + 120'000);
    return !env.HasFile(journal);
  };
  ASSERT_TRUE(startUp());
  const std::vector<test::StoredRecord> replayed = test::ReadDayRecords(env, 1);
  ASSERT_GT(replayed.size(), saved + 5);
  // The entry in progress at the kill ends at its last journaled moment.
  EXPECT_EQ(replayed.back().start + replayed.back().duration, ten + 60'000);
  auto loadsAs = [&](bool isNew) { EXPECT_EQ(test::ReadDayRecords(env, 1).size(), isNew ? replayed.size() : saved); };
  test::ExpectOldOrNewUnderEveryFault(
      env, {{day, savedDay, env.FileBytes(day), loadsAs}, {journal, journaled, "", nullptr}}, startUp);
}

// A run killed at 00:00:20 left its journal, then damaged; the day log cannot be read either.
TEST_F(JournalCrash, UnreadableFilesAreKeptAsideAndNamedOnce) {
  { test::RecordingSession killed(env, windows, 0); Run(killed, 0, 20'000); }
  const std::u16string day = u"/app/log/20160301";
  env.PutFile(day + u".journal", env.FileBytes(day + u".journal") + std::string(12, '\x7F'));
  env.PutFile(day + u".bin2", "not a day log");
  test::RecordingSession run(env, windows, 30'000);
  EXPECT_EQ(run.keptAside, (std::vector<std::u16string>{day + u".bin2.unreadable-1", day + u".journal.unreadable-1"}));
  EXPECT_GT(run.app.sampler.day.Count(), 3u);  // what the journal held before the damage
  EXPECT_EQ(test::ReadDayRecords(env, 1).size(), run.app.sampler.day.Count());
  EXPECT_TRUE(test::RecordingSession(env, windows, 40'000).keptAside.empty());
}

// A run killed on 1 March and started again on the 2nd: the day completed from its journal also gets
// the automatic export its day change would have run. A day that cannot be saved keeps its journal.
TEST_F(JournalCrash, EarlierDayCompletedAtStartUpIsExported) {
  { test::RecordingSession killed(env, windows, 0); Run(killed, 0, 30'000); }
  test::SetSimulatedTime(env, kDay + 1000);
  AppState app(env);
  app.settings.listCsvExport = 1;
  std::vector<std::u16string> keptAside;
  env.FailNth(test::FakeEnv::Op::Rename, 1);
  RecoverRecording(app, env.now, &keptAside);
  EXPECT_TRUE(env.HasFile(u"/app/log/20160301.journal") && !env.HasFile(u"/app/log/20160301.csv"));
  env.FailNth(test::FakeEnv::Op::Rename, 0);
  RecoverRecording(app, env.now, &keptAside);
  const std::vector<test::StoredRecord> records = test::ReadDayRecords(env, 1);
  ASSERT_GT(records.size(), 3u);
  const std::string csv = env.FileBytes(u"/app/log/20160301.csv");
  std::u16string text(csv.size() / 2, u'\0');
  std::memcpy(text.data(), csv.data(), 2 * text.size());
  for (const test::StoredRecord& record : records) {  // one line each, in order
    const size_t end = text.find(u'\n');
    EXPECT_NE(text.substr(0, end).find(u",\"" + record.title + u"\","), std::u16string::npos);
    text.erase(0, end == std::u16string::npos ? end : end + 1);
  }
  EXPECT_EQ(text, u"");
}

// The records the last journal write or save that went through covers (the entry in progress with
// them when it was journaled).
size_t Covered(const AppState& app, bool journaled) { return app.sampler.day.Count() + (journaled && app.sampler.open.isOpen); }

// The complete run's records, in order, once, at least the covered ones; the last may end early.
void ExpectRecovered(const std::vector<test::StoredRecord>& got, const std::vector<test::StoredRecord>& all,
                     size_t covered) {
  ASSERT_LE(got.size(), all.size());
  ASSERT_GE(got.size(), covered);
  for (size_t i = 0; i < got.size(); ++i) {
    const bool same = got[i].start == all[i].start && got[i].title == all[i].title && got[i].exeKey == all[i].exeKey;
    EXPECT_TRUE(same && (i + 1 == got.size() ? got[i].duration <= all[i].duration : got[i].duration == all[i].duration))
        << "record " << i;
  }
}

// 23:58:30 to 00:00:40 with a save at 23:59:00 and the day change, after an earlier run saved the day;
// killed after `kill` file operations (not at all for the complete run) and started again.
TEST_F(JournalCrash, SessionKilledAfterAnyFileOperationKeepsWhatWasJournaled) {
  const uint64_t from = kDay - 90'000, saveAt = kDay - 60'000, to = kDay + 40'000;
  std::vector<test::StoredRecord> all[2];
  for (int kill = -1;; ++kill) {
    SCOPED_TRACE(::testing::Message() << "killed after " << kill << " operations");
    ASSERT_LT(kill, 1000);
    env = test::FakeEnv();
    {
      test::RecordingSession earlier(env, windows, from - 90'000);
      Run(earlier, from - 90'000, from - 30'000);
      ASSERT_TRUE(earlier.Exit());
    }
    if (kill >= 0) env.CrashAfter(kill);
    size_t covered[2] = {test::ReadDayRecords(env, 1).size(), 0};
    test::RecordingSession run(env, windows, from);
    uint32_t writes = 0;
    for (uint64_t t = from; t <= to && !env.Dead(); t += 250) {
      const bool dayChanged = run.Check(t, Rotating(t)).dayChanged;
      const bool saved = t == saveAt && SaveRecordingDay(run.app, run.app.journal);
      if (env.Dead()) break;  // what this check wrote may not have reached the disk
      if (dayChanged) covered[0] = all[0].size();
      // In the order of the check: the journal's write, then the save, which starts the journal afresh.
      if (run.app.journal.Writes() != writes) covered[t >= kDay] = Covered(run.app, true);
      if (saved) covered[t >= kDay] = Covered(run.app, false);
      writes = run.app.journal.Writes();
    }
    if (kill < 0) {
      ASSERT_TRUE(run.Exit());
      all[0] = test::ReadDayRecords(env, 1);
      all[1] = test::ReadDayRecords(env, 2);
      continue;
    }
    const bool finished = !env.Dead();
    env.Restart();
    test::RecordingSession again(env, windows, to + 250);
    EXPECT_FALSE(env.HasFile(u"/app/log/20160301.journal"));  // the finished day's, replayed
    ExpectRecovered(test::ReadDayRecords(env, 1), all[0], covered[0]);
    ExpectRecovered(test::ReadDayRecords(env, 2), all[1], covered[1]);
    if (finished) {
      EXPECT_GT(kill, 40);  // every write, flush, rename and removal of the session was a kill point
      break;
    }
  }
}

// Nobody at the computer from 10:59:30; the hourly save at 11:00 and the journal's writes fall in the
// minute before away is seen at 11:00:30. Killed after any file operation and started again, the
// day never holds the entry longer than up to the last input; the run killed after it all holds it
// shortened to exactly that.
TEST_F(JournalCrash, AwayDuringASaveAndJournalWritesNeverReplaysTheLongerEntry) {
  const uint64_t from = 11 * 3'600'000 - 60'000, lastInput = from + 30'000, to = from + 150'000;
  for (int kill = 0;; ++kill) {
    SCOPED_TRACE(::testing::Message() << "killed after " << kill << " operations");
    ASSERT_LT(kill, 1000);
    env = test::FakeEnv();
    env.CrashAfter(kill);
    {
      test::RecordingSession run(env, windows, from);
      run.app.ini.awayAfterSeconds = 60;
      run.app.settings.autoSave = 1;
      for (uint64_t t = from; t <= to && !env.Dead(); t += 250) {
        if (t <= lastInput) windows.lastInput = static_cast<uint32_t>(1000 + t);
        run.Check(t, 1);
      }
    }
    const bool finished = !env.Dead();
    env.Restart();
    test::RecordingSession again(env, windows, to + 250);
    const std::vector<test::StoredRecord> records = test::ReadDayRecords(env, 1);
    ASSERT_LE(records.size(), 1u);
    if (!records.empty()) {
      EXPECT_LE(records[0].start + records[0].duration, lastInput);
    }
    if (finished) {
      ASSERT_EQ(records.size(), 1u);
      EXPECT_EQ(records[0].start + records[0].duration, lastInput);
      EXPECT_GT(kill, 5);  // the save's and the journal's writes were kill points
      break;
    }
  }
}

}  // namespace
}  // namespace qm
