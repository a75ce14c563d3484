// The journal's entries read back, its tails told apart, its records added beyond what a day holds,
// and its name kept apart from day logs.
#include "storage/recording_journal.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_state.h"
#include "storage/day_log_file.h"
#include "storage/old_log_cleanup.h"
#include "support/fake_env.h"

namespace qm {
namespace {

std::vector<uint8_t> Journal(const std::vector<uint8_t>& entries) {
  std::vector<uint8_t> bytes(sizeof kJournalMagic + entries.size());
  std::copy_n(kJournalMagic, sizeof kJournalMagic, bytes.begin());
  std::copy(entries.begin(), entries.end(), bytes.begin() + sizeof kJournalMagic);
  return bytes;
}

JournalContents Parse(const std::vector<uint8_t>& bytes) { return ParseJournal(bytes.data(), bytes.size()); }

// Path, record 4, record 5 in progress, then record 5 closed longer.
std::vector<uint8_t> SampleEntries() {
  std::vector<uint8_t> entries;
  AppendPathEntry(entries, u"C:\\a.exe");
  AppendRecordEntry(entries, 4, {0, 1000, 500, static_cast<uint32_t>(StringKey(u"C:\\a.exe"))}, u"first");
  AppendRecordEntry(entries, 5, {0, 1500, 100, 0}, u"second");
  AppendExtendEntry(entries, 5, 2500);
  return entries;
}

TEST(RecordingJournal, EntriesReadBackWithTheLastVersionOfEachRecord) {
  const JournalContents contents = Parse(Journal(SampleEntries()));
  EXPECT_EQ(contents.tail, JournalTail::Clean);
  ASSERT_EQ(contents.records.size(), 2u);
  const JournaledRecord& first = contents.records.at(4);
  EXPECT_EQ(first.start, 1000u);
  EXPECT_EQ(first.duration, 500u);
  EXPECT_EQ(first.title, u"first");
  EXPECT_EQ(contents.paths.at(static_cast<int32_t>(first.exeKey)), u"C:\\a.exe");
  EXPECT_EQ(contents.records.at(5).duration, 2500u);
}

// Cut anywhere, a journal keeps the entries before the cut and calls the rest torn; a changed byte
// inside an entry is damage, and what came before it is kept.
TEST(RecordingJournal, CutTailsAreTornAndChangedBytesAreDamage) {
  const std::vector<uint8_t> whole = Journal(SampleEntries());
  for (size_t cut = 1; cut < whole.size(); ++cut) {
    EXPECT_NE(ParseJournal(whole.data(), cut).tail, JournalTail::Damaged) << cut;
  }
  const size_t firstRecord = sizeof kJournalMagic + kJournalEntryHeaderBytes + 16;  // after the path entry
  for (size_t at : {size_t{0}, size_t{3}, firstRecord, firstRecord + 12, whole.size() - 1}) {
    std::vector<uint8_t> changed = whole;
    changed[at] ^= 0x40;
    const JournalContents contents = Parse(changed);
    EXPECT_EQ(contents.tail, JournalTail::Damaged) << at;
    if (at >= firstRecord) {
      EXPECT_EQ(contents.paths.size(), 1u) << at;
    }
  }
  std::vector<uint8_t> zeros = whole;
  zeros.resize(whole.size() + 40);  // a tail of a power cut: the length was written, the data was not
  EXPECT_EQ(Parse(zeros).tail, JournalTail::Damaged);
}

TEST(RecordingJournal, EntriesADayCannotHoldAreDamage) {
  std::vector<uint8_t> longTitle, lateStart;
  AppendRecordEntry(longTitle, 0, {0, 0, 1, 0}, std::u16string(200, u'x'));
  EXPECT_EQ(Parse(Journal(longTitle)).records.at(0).title.size(), 129u);  // cut to what a record holds
  AppendRecordEntry(lateStart, 0, {0, kMillisecondsPerDay, 1, 0}, u"t");
  EXPECT_EQ(Parse(Journal(lateStart)).tail, JournalTail::Damaged);
  EXPECT_FALSE(FitsDayLog(std::u16string(130, u'x')));
  EXPECT_TRUE(FitsDayLog(std::u16string(129, u'x')));
}

TEST(RecordingJournal, OnlyRecordsBeyondTheDayAreAdded) {
  StringPool pool;
  DayLog day;
  for (uint32_t i = 0; i < 5; ++i) day.Append({0, i * 100, 100, 0}, u"saved");
  EXPECT_EQ(ApplyJournal(Parse(Journal(SampleEntries())), pool, day), 1u);
  ASSERT_EQ(day.Count(), 6u);
  EXPECT_EQ(day.Title(5), u"second");
  EXPECT_EQ(day.Header(5).duration, 2500u);
  EXPECT_EQ(pool.Size(), 0u);  // record 4's path went with record 4
  EXPECT_EQ(ApplyJournal(Parse(Journal(SampleEntries())), pool, day), 0u);
}

TEST(RecordingJournal, NameIsNoDayLogAndGoesWithItsDay) {
  EXPECT_EQ(JournalFileName(2016, 3, 7), u"20160307.journal");
  EXPECT_TRUE(DateOfJournalName(u"20160307.JOURNAL"));
  for (std::u16string_view other : {u"20160307.journal.unreadable-1", u"2016037.journal", u"20160307.bin2"}) {
    EXPECT_FALSE(DateOfJournalName(other)) << std::string(other.begin(), other.end());
  }
  EXPECT_FALSE(ParseDayLogName(u"20160307.journal"));
  EXPECT_EQ(DayLogKindOf(u"20160307.journal"), DayLogKind::Other);

  test::FakeEnv env;
  AppState app(env);
  app.settings.deleteAge = 1;
  for (auto name : {u"20160228.journal", u"20160229.journal", u"20160228.journal.unreadable-1"}) {
    env.PutFile(std::u16string(u"/app/log/") + name, "x");
  }
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_FALSE(env.HasFile(u"/app/log/20160228.journal"));
  EXPECT_TRUE(env.HasFile(u"/app/log/20160229.journal"));
  EXPECT_TRUE(env.HasFile(u"/app/log/20160228.journal.unreadable-1"));  // kept aside: kept
}

TEST(RecordingJournal, AppenderAddsToAJournalWithOneMagic) {
  test::FakeEnv env;
  JournalAppender appender(env);
  std::vector<uint8_t> one, two;
  AppendExtendEntry(one, 1, 1);
  AppendExtendEntry(two, 2, 2);
  ASSERT_TRUE(appender.Append(u"/app/log/j", one));
  appender.Close();
  ASSERT_TRUE(appender.Append(u"/app/log/j", two));
  std::vector<uint8_t> both = one;
  both.insert(both.end(), two.begin(), two.end());
  const std::vector<uint8_t> expected = Journal(both);
  EXPECT_EQ(env.FileBytes(u"/app/log/j"), std::string(expected.begin(), expected.end()));
}

}  // namespace
}  // namespace qm
