// What the log folder holds: the journal read back (the last version of each record, tails cut short
// told from damage, only records beyond the day added), and dated names by which old day logs and
// journals go. (The recycle bin itself: see the environment tests.)
#include "storage/recording_journal.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/app_state.h"
#include "platform/utf.h"
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

TEST(RecordingJournal, AppenderWritesTheMagicOnceAndSaysWhenItCannot) {
  EXPECT_EQ(JournalFileName(2016, 3, 7), u"20160307.journal");
  EXPECT_TRUE(!DateOfJournalName(u"20160307.journal.unreadable-1") && DateOfJournalName(u"20160309.journal"));
  test::FakeEnv env;
  JournalAppender appender(env);
  const std::vector<uint8_t> magic(kJournalMagic, kJournalMagic + sizeof kJournalMagic), entry = {1, 2};
  EXPECT_FALSE(appender.Append(u"/nowhere/x/20160301.journal", entry));
  ASSERT_TRUE(appender.Append(u"/app/log/a.journal", entry) && appender.Append(u"/app/log/b.journal", entry));
  ASSERT_TRUE(JournalAppender(env).Append(u"/app/log/b.journal", entry));  // an existing journal: no second magic
  EXPECT_EQ(env.FileBytes(u"/app/log/b.journal"), std::string(magic.begin(), magic.end()) + "\x01\x02\x01\x02");
}

// Names as "%4u%02u%02u.%5s" reads them: blanks before each number, a sign counted in its width.
TEST(ParseDayLogName, DatedDayLogNamesOnly) {
  const std::pair<std::u16string, std::string> cases[] = {
      {u"20160229.bin2", "2016-2-29"},   {u"19991231.BIN", "1999-12-31"}, {u"2016011.bin", "-"},
      {u"2016 1\t1.bin2", "2016-1-1"},   {u"\r2016\v01 01. bin", "2016-1-1"},
      {u"+201-1+1.bin2", "201-4294967295-1"}, {u"201601011.bin2", "-"},  {u"20160101bin2x", "-"},
      {u"20160101.bin2x", "-"},          {u"20160101.bin2.tmp", "-"},    {u"20160101.txt", "-"},
      {u"notes123.bin2", "-"},           {u"20160101.", "-"},            {u"20160101.    ", "-"},
      {u"20160307.journal", "-"},
  };
  for (const auto& [name, date] : cases) {
    const auto parsed = ParseDayLogName(name);
    EXPECT_EQ(parsed ? std::to_string(parsed->year) + "-" + std::to_string(parsed->month) + "-" + std::to_string(parsed->day)
                     : "-",
              date)
        << ToUtf8(name);
  }
}

// {deleteAge, the oldest file kept, the newest file deleted} on 2016-03-07: a week, a month, half a
// year and a year keep their last day; no deletion (0) or an age without a meaning (5) keeps all.
// Journals go by the same ages; one kept aside as unreadable stays.
TEST(OldLogCleanup, DatedDayLogsBeyondTheAgeGoAndTheLastDayStays) {
  const std::tuple<int32_t, const char16_t*, const char16_t*> ages[] = {
      {0, u"20150101.bin2", nullptr},          {5, u"20150101.bin", nullptr},
      {1, u"20160229.bin2", u"20160228.BIN"},  // 7, 8 days
      {1, u"20160229.journal", u"20160228.journal"},
      {2, u"20160205.bin2", u"20160204.bin2"},  // 31, 32
      {3, u"20150906.bin2", u"20150905.bin2"},  // 183, 184
      {4, u"20150307.bin2", u"20150306.bin2"}};  // 366, 367
  for (const auto& [age, kept, deleted] : ages) {
    test::FakeEnv env;
    AppState app(env);
    app.settings.deleteAge = age;
    EXPECT_FALSE(DeleteOldLogs(app, 2016, 3, 7)) << "a missing folder is not an error";
    for (const char16_t* name : {kept, deleted, u"notes.bin2", u"20150101.txt", u"20150101.journal.unreadable-1"}) {
      if (name) env.PutFile(u"/app/log/" + std::u16string(name), "x");
    }
    EXPECT_EQ(DeleteOldLogs(app, 2016, 3, 7), deleted != nullptr) << age;
    EXPECT_EQ(env.FilePaths().size(), 4u) << age;
    EXPECT_TRUE(env.HasFile(u"/app/log/" + std::u16string(kept))) << age;
  }
}

}  // namespace
}  // namespace qm
