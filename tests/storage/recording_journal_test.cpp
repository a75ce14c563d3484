// The journal read back: the last version of each record, tails cut short told from damage, only
// records beyond the day added, and a name that goes with its day and is never a day log.
#include "storage/recording_journal.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "storage/old_log_cleanup.h"
#include "support/fake_env.h"

namespace qm {
namespace {

TEST(RecordingJournal, ReadsTheLastVersionsAndKeepsWhatPrecedesATornOrDamagedTail) {
  std::vector<uint8_t> bytes(kJournalMagic, kJournalMagic + sizeof kJournalMagic);
  AppendPathEntry(bytes, u"C:\\a.exe");
  const size_t record = bytes.size();
  AppendRecordEntry(bytes, 4, {0, 1000, 500, static_cast<uint32_t>(StringKey(u"C:\\a.exe"))}, u"first");
  AppendRecordEntry(bytes, 5, {0, 1500, 100, 0}, std::u16string(200, u'x'));
  AppendExtendEntry(bytes, 5, 2500);
  const JournalContents whole = ParseJournal(bytes.data(), bytes.size());
  EXPECT_EQ(whole.tail, JournalTail::Clean);
  EXPECT_EQ(whole.paths.at(static_cast<int32_t>(whole.records.at(4).exeKey)), u"C:\\a.exe");
  EXPECT_EQ(whole.records.at(5).duration, 2500u);
  EXPECT_EQ(whole.records.at(5).title.size(), 129u);  // what a record holds

  for (size_t cut = 1; cut < bytes.size(); ++cut) EXPECT_NE(ParseJournal(bytes.data(), cut).tail, JournalTail::Damaged);
  EXPECT_EQ(ParseJournal(bytes.data(), sizeof kJournalMagic).tail, JournalTail::Clean);
  std::vector<uint8_t> late = bytes;  // a record beyond the day is no record
  AppendRecordEntry(late, 6, {0, 86'400'000, 1, 0}, u"x");
  EXPECT_EQ(ParseJournal(late.data(), late.size()).tail, JournalTail::Damaged);
  for (size_t at : {size_t{2}, record, record + 12, bytes.size() - 1}) {
    std::vector<uint8_t> changed = bytes;
    changed[at] ^= 0x40;
    const JournalContents contents = ParseJournal(changed.data(), changed.size());
    EXPECT_EQ(contents.tail, JournalTail::Damaged) << at;
    EXPECT_EQ(contents.paths.size(), at < record ? 0u : 1u) << at;
  }

  StringPool pool;
  DayLog day;
  for (uint32_t i = 0; i < 5; ++i) day.Append({0, i * 100, 100, 0}, u"saved");
  EXPECT_EQ(ApplyJournal(whole, pool, day), 1u);
  EXPECT_EQ(day.Header(5).duration, 2500u);
  EXPECT_EQ(ApplyJournal(whole, pool, day), 0u);
}

TEST(RecordingJournal, NameGoesWithItsDayAndIsNoDayLog) {
  EXPECT_EQ(JournalFileName(2016, 3, 7), u"20160307.journal");
  EXPECT_FALSE(ParseDayLogName(u"20160307.journal"));
  EXPECT_TRUE(!DateOfJournalName(u"20160307.journal.unreadable-1") && DateOfJournalName(u"20160309.journal"));
  test::FakeEnv env;
  AppState app(env);
  app.settings.deleteAge = 1;
  for (auto name : {u"20160228.journal", u"20160229.journal", u"20160228.journal.unreadable-1"}) {
    env.PutFile(std::u16string(u"/app/log/") + name, "x");
  }
  EXPECT_TRUE(DeleteOldLogs(app, 2016, 3, 7));
  EXPECT_EQ(env.FilePaths(), (std::vector<std::u16string>{u"/app/log/20160228.journal.unreadable-1",  // kept aside: kept
                                                           u"/app/log/20160229.journal"}));

  // The appender goes to the file it is given, and says when it cannot.
  JournalAppender appender(env);
  const std::vector<uint8_t> magic(kJournalMagic, kJournalMagic + sizeof kJournalMagic), entry = {1, 2};
  EXPECT_FALSE(appender.Append(u"/nowhere/x/20160301.journal", entry));
  ASSERT_TRUE(appender.Append(u"/app/log/a.journal", entry) && appender.Append(u"/app/log/b.journal", entry));
  ASSERT_TRUE(JournalAppender(env).Append(u"/app/log/b.journal", entry));  // an existing journal: no second magic
  EXPECT_EQ(env.FileBytes(u"/app/log/b.journal"), std::string(magic.begin(), magic.end()) + "\x01\x02\x01\x02");
}

}  // namespace
}  // namespace qm
