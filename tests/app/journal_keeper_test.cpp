// The journal kept beside the recording: written every 10 s with what changed, nothing while nothing
// is in progress (after suspend), started afresh by a save (keeping the entry in progress), written
// whole after a failed write.
#include "app/journal_keeper.h"

#include <gtest/gtest.h>

#include "app/sampler.h"
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

}  // namespace
}  // namespace qm
