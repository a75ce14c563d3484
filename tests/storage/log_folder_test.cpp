// What the log folder holds: day logs (the current format written and read back, the earlier format
// read, the compressed sections both are made of), the journal read back (the last version of each
// record, tails cut short told from damage, only records beyond the day added), and the dated names by
// which old day logs and journals go. (The recycle bin itself: see the environment tests.)
#include "storage/day_log_file.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "storage/compressed_section.h"
#include "storage/legacy_day_log_file.h"
#include "storage/log_folder.h"
#include "storage/old_log_cleanup.h"
#include "storage/recording_journal.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;

// One record as the file stores it.
std::string RecordBytes(uint32_t size, uint32_t start, uint32_t duration, uint32_t key, std::u16string_view title) {
  return ByteBuilder().U32(size).U32(start).U32(duration).U32(key).Utf16(title, false).Zeros(size - 16 - title.size() * 2).str();
}

// String entries of the current and the earlier format: byte size (16 or 32 bits), terminated text.
std::string StringEntry(std::u16string_view t) { return ByteBuilder().U16(uint16_t(2 * t.size() + 2)).Utf16(t).str(); }
std::string OldString(std::u16string_view t) { return ByteBuilder().U32(uint32_t(2 * t.size() + 2)).Utf16(t).str(); }

std::string DayFile(const std::string& strings, const std::string& records) {
  return ByteBuilder().Text(".LOG").Section(strings).Section(records).str();
}

// Each record of a day as "start+duration title".
std::string Records(const DayLog& day) {
  std::string text;
  for (uint32_t i = 0; i < day.Count(); ++i) {
    const ActivityRecord r = day.Header(i);
    text += std::to_string(r.start) + "+" + std::to_string(r.duration) + ToUtf8(day.Title(i)) + " ";
  }
  return text;
}

// A record of the earlier format: clock fields, start and end ticks, a 256-unit title, the key.
std::string Old(uint16_t hour, uint16_t minute, uint32_t startTick, uint32_t endTick, std::u16string title,
                uint32_t key = 0) {
  title.resize(256, u'\0');
  return ByteBuilder().U16(hour).U16(minute).U16(7).U16(250).U32(startTick).U32(endTick).Utf16(title, false).U32(key).str();
}

class DayLogFileTest : public ::testing::Test {
 protected:
  void RecordDay() {
    const int32_t key = app.pool.Intern(u"C:\\apps\\editor.exe", UserCurrentDay);
    for (uint32_t i = 0; i < 3; ++i)
      app.sampler.day.Append({0, 1000 * i, 500, static_cast<uint32_t>(key)}, u"title " + std::u16string(1, u'a' + i));
  }
  bool Load(const std::string& bytes) {
    env.PutFile(path, bytes);
    return LoadDayLogFile(app, app.viewedDay, path, UserViewedDay);
  }
  bool LoadLegacy(const std::string& bytes, const std::u16string& name = u"/app/log/20150101.bin") {
    env.PutFile(name, bytes);
    return LoadLegacyDayLogFile(app, app.viewedDay, name, UserViewedDay);
  }
  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/log/20160307.bin2";
};

TEST_F(DayLogFileTest, SavedFileIsMagicThenStringsInSignedKeyOrderThenTheRecords) {
  EXPECT_EQ(DayLogFileName(999, 12, 31, u"bin"), u"9991231.bin");
  // The entry carried over midnight keeps its path with the old day: a day of that entry alone is
  // saved with the empty path as its one string, and reads back.
  app.sampler.day.Append({0, 0, 5000, 77}, u"overnight");
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_EQ(env.FileBytes(path), DayFile(StringEntry(u""), RecordBytes(40, 0, 5000, 77, u"overnight")));
  EXPECT_TRUE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));

  app.sampler.day.Clear();
  RecordDay();
  for (const char16_t* p : {u"b.exe", u"zzzzzzzzzzzz.exe", u"a.exe"}) app.pool.Intern(p, UserCurrentDay);
  app.pool.Intern(u"viewed-only.exe", UserViewedDay);  // other users' strings stay out
  app.pool.Slot(5).users = UserCurrentDay;              // and so do entries without a text
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));

  // Each section: packed length, raw length, zlib stream. Keys: editor.exe -1,715,723,210,
  // zzzzzzzzzzzz.exe -511,779,164, a.exe 91,052,805, b.exe 91,976,326.
  const std::string strings = StringEntry(u"C:\\apps\\editor.exe") + StringEntry(u"zzzzzzzzzzzz.exe") +
                              StringEntry(u"a.exe") + StringEntry(u"b.exe");
  const std::string records(reinterpret_cast<const char*>(app.sampler.day.Bytes()), app.sampler.day.ByteLength());
  EXPECT_EQ(env.FileBytes(path), DayFile(strings, records));
}

TEST_F(DayLogFileTest, RoundTripIntoAnEmptyPoolForViewingOrAtStartUpAndADayWithoutRecordsIsNotSaved) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  AppState viewer(env);
  viewer.viewedDay.Append({0, 0, 0, 0}, u"an earlier day");
  ASSERT_TRUE(LoadDayLogFile(viewer, viewer.viewedDay, path, UserViewedDay));
  ASSERT_EQ(viewer.pool.Size(), 1u);
  EXPECT_EQ(viewer.pool.Entries().begin()->second.users, UserViewedDay);
  EXPECT_EQ(viewer.pool.currentDayStringBytes, 0);
  EXPECT_EQ(Records(viewer.viewedDay), "0+500title a 1000+500title b 2000+500title c ");
  EXPECT_EQ(viewer.pool.Find(static_cast<int32_t>(viewer.viewedDay.Header(2).exeKey))->Text(), u"C:\\apps\\editor.exe");
  // At start-up the file becomes the current day, its strings counted, and the viewed day goes.
  ASSERT_TRUE(LoadTodayDayLog(viewer, 2016, 3, 7));
  EXPECT_EQ(viewer.sampler.day.Count(), 3u);
  EXPECT_EQ(viewer.viewedDay.Count(), 0u);
  EXPECT_EQ(viewer.pool.currentDayStringBytes, 38);

  // A failed save says why and leaves the file as it was.
  const std::string before = env.FileBytes(path);
  using Op = test::FakeEnv::Op;
  for (const auto& [op, failure] : {std::pair{Op::Write, SaveFailure::CannotWrite}, {Op::Rename, SaveFailure::CannotReplace}}) {
    env.FailNth(op, 1);
    SaveFailure why = SaveFailure::None;
    EXPECT_FALSE(SaveDayLog(app, 2016, 3, 7, &why));
    EXPECT_EQ(why, failure);
    env.FailNth(op, 0);
  }
  app.sampler.day.Clear();  // strings but no records
  EXPECT_FALSE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_EQ(env.FileBytes(path), before);
  EXPECT_FALSE(env.HasFile(path + u".tmp"));
}

// Into the current day, which a failed load leaves as it was.
TEST_F(DayLogFileTest, MissingTruncatedMislabelledOrMismeasuredFilesFail) {
  app.sampler.day.Append({0, 1, 1, 0}, u"kept");
  const std::string one = RecordBytes(24, 0, 0, 0, u""), packed = test::Deflate(one);
  const std::string n521 = ByteBuilder().U16(521).Zeros(521).str();
  const std::string bad[] = {
      ".LO", ".LOX" + DayFile(StringEntry(u"x.exe"), one).substr(4), ByteBuilder().Text(".LOG").Section(StringEntry(u"x.exe")).str(),
      ByteBuilder().Text(".LOG").Section(StringEntry(u"x.exe")).U32(static_cast<uint32_t>(packed.size())).U32(25).Append(packed).str(),
      DayFile(StringEntry(u"first.exe") + n521, one)};  // a string entry beyond 520 bytes
  for (const std::string& bytes : bad) {
    env.PutFile(path, bytes);
    EXPECT_FALSE(LoadDayLogFile(app, app.sampler.day, path, UserCurrentDay));
    EXPECT_EQ(app.sampler.day.Count(), 1u);
  }
  EXPECT_NE(app.pool.Find(StringKey(u"first.exe")), nullptr);  // taken before the bad entry
  EXPECT_FALSE(LoadDayLogFile(app, app.sampler.day, u"/app/log/missing.bin2", UserCurrentDay));
  EXPECT_TRUE(Load(DayFile(StringEntry(std::u16string(259, u'p')), one)));  // 520 bytes: the largest
}

// The walk keeps the records within the bounds and skips the others whole; a zero size or a record
// running past the end ends it.
TEST_F(DayLogFileTest, BadRecordsAreSkippedAndTheWalkGoesOn) {
  const std::string head = RecordBytes(24, 1, 1, 0, u"a");
  const std::pair<std::string, std::string> cases[] = {
      {head + ByteBuilder().U32(284).Zeros(280).str() + ByteBuilder().U32(288).Zeros(284).str() +  // misaligned, too large
           RecordBytes(24, 86'400'000, 0, 0, u"x") + RecordBytes(24, 0, 86'400'001, 0, u"y") +     // out of range
           RecordBytes(16, 2, 2, 0, u"") + RecordBytes(280, 86'399'999, 86'400'000, 0, u"d") + RecordBytes(40, 3, 3, 0, u"end").substr(0, 32),
       "1+1a 2+2 86399999+86400000d "},
      {head + std::string(48, '\0') + RecordBytes(24, 6, 6, 0, u"f"), "1+1a "},
      {head + ByteBuilder().U32(12).U32(0).U32(0).str() + ByteBuilder().U32(20).Zeros(16).str() + RecordBytes(24, 7, 7, 0, u"g"),
       "1+1a 7+7g "},  // sizes that cannot hold a header or would misalign the next record
  };
  for (const auto& [records, titles] : cases) {
    ASSERT_TRUE(Load(DayFile(StringEntry(u"x.exe"), records)));
    EXPECT_EQ(Records(app.viewedDay), titles);
  }
}

// A damaged file of today is renamed at start-up, never overwritten; so is a damaged legacy one.
TEST_F(DayLogFileTest, UnreadableFileOfTodayIsSetAside) {
  const std::string damaged = ".LOG garbage that is not a section";
  for (const std::u16string& name : {path, path.substr(0, path.size() - 1)}) {
    env.PutFile(name, damaged);
    env.PutFile(name + u".unreadable-1", "an older one");
  }
  EXPECT_FALSE(LoadTodayDayLog(app, 2016, 3, 7));
  EXPECT_FALSE(env.HasFile(path) || env.HasFile(u"/app/log/20160307.bin"));
  EXPECT_EQ(env.FileBytes(path + u".unreadable-2") + env.FileBytes(u"/app/log/20160307.bin.unreadable-2"), damaged + damaged);
  // Where it cannot be renamed, or with every name up to 999 taken, the file stays where it is.
  env.PutFile(path, damaged);
  env.FailNth(test::FakeEnv::Op::Rename, 1);
  EXPECT_FALSE(SetAsideUnreadable(env, path));
  for (int n = 1; n < 1000; ++n) env.PutFile(path + u".unreadable-" + FromUtf8(std::to_string(n)), "");
  EXPECT_FALSE(SetAsideUnreadable(env, path));
  EXPECT_TRUE(env.HasFile(path));
}

// --- The earlier format -------------------------------------------------------------------------

// Clock fields and ticks become start and duration, records that do not fit are dropped; the file is
// checked like the current one, and today's is the fallback at start-up.
TEST_F(DayLogFileTest, LegacyRecordsAreConvertedAndOnlyWholeBoundedBinFilesLoad) {
  const int32_t key = StringKey(u"C:\\old\\app.exe");
  app.viewedDay.Append({0, 0, 0, 0}, u"an earlier day");
  const std::string records = Old(13, 5, 1000, 3500, u"editor", static_cast<uint32_t>(key)) +
                              Old(0, 0, 4'294'967'000u, 704, u"wrapped") + Old(1, 0, 0, 1, std::u16string(129, u'a')) +
                              Old(2, 0, 0, 1, std::u16string(130, u'b')) + Old(3, 0, 5000, 4000, u"backwards") +
                              Old(24, 0, 0, 1, u"hour 24") + Old(4, 0, 0, 1, u"last");
  ASSERT_TRUE(LoadLegacy(DayFile(OldString(u"C:\\old\\app.exe"), records + std::string(36, '\x7f'))));  // a partial record is ignored
  EXPECT_EQ(Records(app.viewedDay), "47107250+2500editor 7250+1000wrapped 3607250+1" + std::string(129, 'a') + " 14407250+1last ");
  EXPECT_EQ(app.viewedDay.Header(0).exeKey, static_cast<uint32_t>(key));
  EXPECT_EQ(app.pool.Find(key)->users, UserViewedDay);

  // Only the .bin extension, whole sections and bounded strings are accepted.
  const std::string record = Old(1, 0, 0, 1, u"a");
  const std::string file = DayFile(OldString(u"x.exe"), record);
  EXPECT_TRUE(LoadLegacy(file, u"/app/log/20150101.BIN"));
  for (const std::u16string name : {u"/app/log/20150101.bin2", u""}) EXPECT_FALSE(LoadLegacy(file, name));
  for (const std::string& bytes : {std::string(".LO"), "LOG." + file.substr(4)}) EXPECT_FALSE(LoadLegacy(bytes));
  // A record section announcing more than it holds: the strings stay acquired, no records.
  const std::string packed = test::Deflate(record);
  EXPECT_FALSE(LoadLegacy(ByteBuilder().Text(".LOG").Section(OldString(u"kept.exe")).U32(static_cast<uint32_t>(packed.size())).U32(600).Append(packed).str()));
  EXPECT_NE(app.pool.Find(StringKey(u"kept.exe")), nullptr);
  EXPECT_EQ(app.viewedDay.Count(), 0u);
  // String entries: no terminator inside n bytes; an entry ending right at the end; one running past it.
  app.pool.ClearAll();
  const std::string strings = ByteBuilder().U32(6).Utf16(u"abc", false).U32(4).Utf16(u"d").str();
  ASSERT_TRUE(LoadLegacy(DayFile(strings + ByteBuilder().U32(400).Utf16(u"cut").str(), record)));
  ASSERT_TRUE(LoadLegacy(DayFile(strings, record)));
  EXPECT_TRUE(app.pool.Find(StringKey(u"abc")) && app.pool.Find(StringKey(u"d")) && app.pool.Size() == 2u);
  // The legacy file of today is the fallback at start-up; one of any date loads from the log dialog's folder.
  env.PutFile(u"/app/log/20160307.bin", file);
  ASSERT_TRUE(LoadTodayDayLog(app, 2016, 3, 7));
  EXPECT_EQ(app.sampler.day.Count(), 1u);
  EXPECT_EQ(app.pool.currentDayStringBytes, 12);
  CopyToArray(app.settings.logDialog.folder, u"/old");
  EXPECT_FALSE(LoadLegacyDayLogByDate(app, 2016, 3, 7));
  env.PutFile(u"/old/20160307.bin", file);
  EXPECT_TRUE(LoadLegacyDayLogByDate(app, 2016, 3, 7));
}

// --- Compressed sections -----------------------------------------------------------------------

const uint8_t* U8(const std::string& s) { return reinterpret_cast<const uint8_t*>(s.data()); }

// Length words are judged against the file and the reader's rules before anything is allocated;
// the expansion must give the announced length exactly, or anything at all for lenient readers.
TEST(CompressedSection, LengthsAndExpansionAreJudgedByTheReadersRulesAndCompressionMustFitWhole) {
  test::FakeEnv env;
  Section section;
  const std::string packed = test::Deflate("hello");
  const uint32_t size = static_cast<uint32_t>(packed.size()), ratio = size * 1032 + 1024;
  const SectionRules exact{false, 0, 64, 64, true, kMaxSectionRawBytes}, lenient{true, 64, 64, 64, false, 5};
  const std::tuple<std::string, SectionRules, bool> cases[] = {  // the file, the rules, whether it reads
      {"", exact, false},
      {std::string("\x05\0\0\0", 4), exact, false},
      {ByteBuilder().U32(size).U32(6).Append(packed).str(), exact, false},  // announces one byte more
      {ByteBuilder().U32(size).U32(6).Append(packed).str(), {false, 64, 64, 64, false, 6}, true},
      {ByteBuilder().U32(size).U32(5).Append(packed).str(), lenient, true},  // at the reader's maximum
      {ByteBuilder().U32(size).U32(6).Append(packed).str(), lenient, false},
      {ByteBuilder().U32(size).U32(ratio).Append(packed).str(), {false, 0, 64, 64, false, ~0u}, true},
      {ByteBuilder().U32(size).U32(5).Text(std::string(size, 'x')).str(), lenient, false},  // expands to nothing
      {ByteBuilder().Section("hello").str(), exact, true},
      // Beyond deflate's ratio, zero or negative packed length, beyond the file, zero or negative raw length.
      {ByteBuilder().U32(size).U32(ratio + 1).Append(packed).str(), {false, 0, 64, 64, false, ~0u}, false},
      {ByteBuilder().U32(0).U32(5).Append(packed).str(), exact, false},
      {ByteBuilder().U32(0x80000000u).U32(5).Append(packed).str(), exact, false},
      {ByteBuilder().U32(size + 1).U32(5).Append(packed).str(), exact, false},
      {ByteBuilder().U32(size).U32(0).Append(packed).str(), exact, false},
      {ByteBuilder().U32(size).U32(0x80000005u).Append(packed).str(), {true, 0, 64, 64, false, ~0u}, false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const auto& [file, rules, reads] = cases[i];
    env.PutFile(u"/app/s", file);
    FileReader reader(env);
    ASSERT_TRUE(reader.Open(u"/app/s"));
    EXPECT_EQ(ReadSection(reader, rules, &section), reads) << i;
  }
  // The valid section (the last one read) arrived with its slack zeroed.
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(section.data.data()), 5), "hello");
  EXPECT_EQ(section.data.size(), 5u + 64);
  EXPECT_EQ(section.data.data()[68], 0);
  FileReader closed(env);
  EXPECT_FALSE(ReadSection(closed, exact, &section));

  // A wrong checksum is not noticed: the full length still comes out. A stream cut in half gives less.
  std::string text;
  for (int i = 0; i < 200; ++i) text += "a window title, C:\\Program Files\\app.exe" + std::to_string(i * 7919);
  std::string stream = test::Deflate(text);
  stream.back() ^= '\xFF';
  std::vector<uint8_t> raw(text.size() + 64);
  const auto streamSize = static_cast<uint32_t>(stream.size()), capacity = static_cast<uint32_t>(raw.size());
  EXPECT_EQ(ExpandBlock(U8(stream), streamSize, raw.data(), capacity), static_cast<int32_t>(text.size()));
  EXPECT_EQ(std::string(raw.begin(), raw.begin() + text.size()), text);
  EXPECT_LT(ExpandBlock(U8(stream), streamSize / 2, raw.data(), capacity), static_cast<int32_t>(text.size()));

  uint8_t four[4];
  EXPECT_EQ(CompressBlock(U8(std::string(300, 'x')), 300, four, 4), 0);
  // Random bytes do not compress: 200 KB of them need more than raw + 64, and still save whole.
  std::string noise(200'000, '\0');
  uint32_t state = 12345;
  for (char& c : noise) c = static_cast<char>((state = state * 1103515245 + 12345) >> 23);
  FileWriter writer(env);
  EXPECT_FALSE(writer.Write("x", 1)) << "not open";
  ASSERT_TRUE(writer.Open(u"/app/f"));
  ASSERT_TRUE(WriteSection(U8(noise), static_cast<uint32_t>(noise.size()), writer));
  ASSERT_TRUE(writer.Commit());
  FileReader reader(env);
  ASSERT_TRUE(reader.Open(u"/app/f"));
  ASSERT_TRUE(ReadSection(reader, exact, &section));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(section.data.data()), noise.size()), noise);
}

// --- The journal and old logs ------------------------------------------------------------------

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

// An entry framed as the journal frames it around any payload, also one the writer never makes.
std::string JournalEntry(JournalEntryKind kind, const std::string& payload) {
  const std::string framed = ByteBuilder().U16(static_cast<uint16_t>(payload.size())).Text(std::string(1, char(kind)))
                                 .Zeros(1).Append(payload).str();
  const auto crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(framed.data()), framed.size()));
  return ByteBuilder().U32(crc).Append(framed).str();
}

// Every entry that does not hold ends the journal as damage, and nothing of it is taken: a title a
// record cannot hold, a duration beyond a day, an odd byte length of UTF-16 text or a short payload.
TEST(RecordingJournal, EntriesBeyondARecordOrADayOrWithHalfACodeUnitAreDamage) {
  using Kind = JournalEntryKind;
  const auto record = [](uint32_t duration, size_t titleUnits, const std::string& extra = "") {
    return ByteBuilder().U32(9).U32(1000).U32(duration).U32(0).Utf16(std::u16string(titleUnits, u'x'), false)
        .Append(extra).str();
  };
  const auto extend = [](uint32_t duration) { return ByteBuilder().U32(7).U32(duration).str(); };
  const std::string path = ByteBuilder().Utf16(u"C:\\a.exe", false).str();
  const std::tuple<Kind, std::string, bool> cases[] = {  // {kind, payload, taken}
      {Kind::Record, record(500, 129), true},         {Kind::Record, record(500, 130), false},
      {Kind::Record, record(86'400'000, 1), true},    {Kind::Record, record(86'400'001, 1), false},
      {Kind::Record, record(500, 1, "z"), false},     {Kind::Record, record(500, 0), true},
      {Kind::Record, record(500, 0).substr(1), false},
      {Kind::Path, path, true},                       {Kind::Path, path + "z", false},
      {Kind::Extend, extend(86'400'000), true},       {Kind::Extend, extend(86'400'001), false},
      {Kind::Extend, extend(500) + "z", false},       {Kind::Extend, extend(500).substr(1), false},
  };
  // Record 7, of 1 ms from 1 s on, for the extends to lengthen.
  const std::string head = std::string(reinterpret_cast<const char*>(kJournalMagic), sizeof kJournalMagic) +
                           JournalEntry(Kind::Record, ByteBuilder().U32(7).U32(1000).U32(1).U32(0).str());
  for (const auto& [kind, payload, taken] : cases) {
    const std::string bytes = head + JournalEntry(kind, payload);
    const JournalContents got = ParseJournal(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    SCOPED_TRACE(testing::Message() << "kind " << int(kind) << ", " << payload.size() << " bytes");
    EXPECT_EQ(got.tail, taken ? JournalTail::Clean : JournalTail::Damaged);
    const bool took = kind == Kind::Record ? got.records.count(9) == 1
                      : kind == Kind::Path ? !got.paths.empty()
                                           : got.records.at(7).duration != 1;
    EXPECT_EQ(took, taken);
  }
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
    const auto d = ParseDayLogName(name);
    const std::string got = d ? std::to_string(d->year) + "-" + std::to_string(d->month) + "-" + std::to_string(d->day)
                              : "-";
    EXPECT_EQ(got, date) << ToUtf8(name);
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
