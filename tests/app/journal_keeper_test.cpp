// The journal kept beside the recording: when it is written and with what, how a save makes it
// start afresh, how a failed write is made good, and what suspend does to the entry in progress.
#include "app/journal_keeper.h"

#include <gtest/gtest.h>

#include "app/sampler.h"
#include "support/recording_session.h"

namespace qm {
namespace {

constexpr uint64_t kTen = 10 * 3'600'000;  // 10:00 on 1 March

class JournalKeeperTest : public ::testing::Test {
 protected:
  JournalKeeperTest() {
    windows.SetWindow(1, u"A", u"C:\\a.exe");
    windows.SetWindow(2, u"B", u"C:\\b.exe");
    windows.SetWindow(3, u"");
    test::SetSimulatedTime(env, kTen);
    session.Start();
  }
  // One check `seconds` after 10:00 with `window` in front.
  CheckTimerResult At(double seconds, uintptr_t window) {
    test::SetSimulatedTime(env, kTen + static_cast<uint64_t>(seconds * 1000));
    windows.foreground = window;
    return session.Check();
  }
  JournalContents Journal() {
    const std::string bytes = env.FileBytes(journalPath);
    return ParseJournal(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  }
  uint32_t Writes() { return session.app().journal.Writes(); }

  test::FakeEnv env;
  test::FakeWindowSystem windows;
  test::RecordingSession session{env, windows};
  const std::u16string journalPath = u"/app/log/20160301.journal";
};

TEST_F(JournalKeeperTest, WritesEveryTenSecondsWhatChangedAndNothingWhenNothingDid) {
  At(0, 1);
  At(9.9, 1);
  EXPECT_FALSE(env.HasFile(journalPath));
  At(10, 1);  // the entry in progress, 10 s long
  EXPECT_EQ(Writes(), 1u);
  At(15, 2);
  At(19.9, 2);
  EXPECT_EQ(Writes(), 1u);
  At(20, 2);  // A closed at 15 s, B in progress for 5 s
  JournalContents contents = Journal();
  ASSERT_EQ(contents.records.size(), 2u);
  EXPECT_EQ(contents.records.at(0).duration, 15'000u);
  EXPECT_EQ(contents.records.at(1).title, u"B");
  EXPECT_EQ(contents.records.at(1).duration, 5'000u);
  EXPECT_EQ(contents.paths.size(), 2u);

  // Once nothing is in progress (a window without a title is not recorded), nothing is written.
  At(25, 2);
  EndOpenEntry(session.app());
  At(30, 3);
  EXPECT_EQ(Journal().records.at(1).duration, 10'000u);
  const uint32_t writes = Writes();
  At(40, 3);
  At(50, 3);
  EXPECT_EQ(Writes(), writes);
}

TEST_F(JournalKeeperTest, SaveStartsTheJournalAfreshAndAFailedOneFillsIt) {
  At(0, 1);
  At(10, 2);
  At(20, 1);
  ASSERT_EQ(Journal().records.size(), 3u);
  ASSERT_TRUE(SaveRecordingDay(session.app(), session.app().journal));
  ASSERT_EQ(Journal().records.size(), 1u);  // the day log holds the rest, but not the entry in progress
  EXPECT_EQ(Journal().records.count(2), 1u);

  At(25, 2);  // A closed: in the day, not yet in a journal
  env.FailNth(test::FakeEnv::Op::Rename, 1);
  SaveFailure why = SaveFailure::None;
  EXPECT_FALSE(SaveRecordingDay(session.app(), session.app().journal, &why));
  EXPECT_EQ(why, SaveFailure::CannotReplace);
  const JournalContents contents = Journal();
  ASSERT_EQ(contents.records.size(), 1u);
  EXPECT_EQ(contents.records.begin()->first, 2u);  // after the two records the day log holds
  EXPECT_EQ(contents.records.begin()->second.duration, 5'000u);
}

TEST_F(JournalKeeperTest, AfterAFailedWriteTheJournalIsWrittenWhole) {
  At(0, 1);
  At(10, 2);
  env.FailNth(test::FakeEnv::Op::Flush, 1);
  At(20, 1);
  EXPECT_FALSE(session.app().journal.Healthy());
  env.FailNth(test::FakeEnv::Op::Flush, 0);
  At(25, 2);
  At(30, 2);
  EXPECT_TRUE(session.app().journal.Healthy());
  const JournalContents contents = Journal();
  EXPECT_EQ(contents.tail, JournalTail::Clean);
  ASSERT_EQ(contents.records.size(), 4u);
  EXPECT_EQ(contents.records.at(3).duration, 5'000u);
}

// Asleep from 10:00:20 to 18:00:00: A ends when the system suspends, and the first check after
// resume starts a new entry, though the same window is in front.
TEST_F(JournalKeeperTest, SuspendEndsTheEntryAndResumeStartsANewOne) {
  At(0, 1);
  At(20, 1);
  EndOpenEntry(session.app());
  At(8 * 3600, 1);
  At(8 * 3600 + 5, 2);
  const DayLog& day = session.app().sampler.day;
  ASSERT_EQ(day.Count(), 2u);
  EXPECT_EQ(day.Header(0).duration, 20'000u);
  EXPECT_EQ(day.Header(1).start, 18 * 3'600'000u);
  EXPECT_EQ(day.Header(1).duration, 5'000u);
}

}  // namespace
}  // namespace qm
