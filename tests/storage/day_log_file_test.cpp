#include "storage/day_log_file.h"

#include <gtest/gtest.h>

#include "storage/compressed_section.h"
#include "storage/file_objects.h"
#include "storage/log_folder.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;

// One record as the file stores it.
std::string RecordBytes(uint32_t size, uint32_t start, uint32_t duration, uint32_t key, std::u16string_view title) {
  ByteBuilder b;
  b.U32(size).U32(start).U32(duration).U32(key).Utf16(title, false);
  b.Zeros(size - 16 - title.size() * 2);
  return b.str();
}

std::string StringEntry(std::u16string_view text) {
  return ByteBuilder().U16(static_cast<uint16_t>(2 * (text.size() + 1))).Utf16(text).str();
}

std::string DayFile(const std::string& strings, const std::string& records) {
  return ByteBuilder().Text(".LOG").Section(strings).Section(records).str();
}

class DayLogFileTest : public ::testing::Test {
 protected:
  void RecordDay() {
    const int32_t key = app.pool.Intern(u"C:\\apps\\editor.exe", UserCurrentDay);
    for (uint32_t i = 0; i < 3; ++i) {
      app.sampler.day.Append({0, 1000 * i, 500, static_cast<uint32_t>(key)}, u"title " + std::u16string(1, u'a' + i));
    }
  }
  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/log/20160307.bin2";
};

TEST_F(DayLogFileTest, NameAndFolderFollowTheDate) {
  EXPECT_EQ(DayLogFileName(2016, 3, 7, u"bin2"), u"20160307.bin2");
  EXPECT_EQ(DayLogFileName(999, 12, 31, u"bin"), u"9991231.bin");
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_TRUE(env.HasFile(path));
  EXPECT_FALSE(env.HasFile(path + u".tmp"));
}

TEST_F(DayLogFileTest, SavedFileHoldsMagicOneStringPerPathAndTheRecordBlock) {
  RecordDay();
  app.pool.Intern(u"viewed-only.exe", UserViewedDay);  // other users' strings stay out
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  const std::string expected =
      DayFile(StringEntry(u"C:\\apps\\editor.exe"),
              std::string(reinterpret_cast<const char*>(app.sampler.day.Bytes()), app.sampler.day.ByteLength()));
  // Compare the structure rather than the zlib bytes: magic, then each section expands to the expected raw data.
  const std::string file = env.FileBytes(path);
  ASSERT_EQ(file.substr(0, 4), ".LOG");

  FileReader reader(env);
  ASSERT_TRUE(reader.Open(path));
  reader.Seek(4, SeekOrigin::Begin);
  Section strings, records;
  const SectionRules rules{false, 0, 64, 64, true, kMaxSectionRawBytes};
  ASSERT_TRUE(ReadSection(reader, rules, &strings));
  ASSERT_TRUE(ReadSection(reader, rules, &records));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(strings.data.data()), strings.rawLength),
            StringEntry(u"C:\\apps\\editor.exe"));
  EXPECT_EQ(records.rawLength, app.sampler.day.ByteLength());
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST_F(DayLogFileTest, StringTableIsInSignedKeyOrder) {
  const std::u16string paths[] = {u"zzzzzzzzzzzz.exe", u"a.exe", u"b.exe"};
  for (const auto& p : paths) app.pool.Intern(p, UserCurrentDay);
  app.sampler.day.Append({0, 0, 1, 0}, u"t");
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  std::string expected;
  for (const auto& [key, entry] : app.pool.Entries()) expected += StringEntry(entry.Text());
  FileReader reader(env);
  ASSERT_TRUE(reader.Open(path));
  reader.Seek(4, SeekOrigin::Begin);
  Section strings;
  ASSERT_TRUE(ReadSection(reader, {false, 0, 64, 64, true, kMaxSectionRawBytes}, &strings));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(strings.data.data()), strings.rawLength), expected);
  EXPECT_LT(StringKey(u"zzzzzzzzzzzz.exe"), 0);  // the negative key comes first
}

TEST_F(DayLogFileTest, RoundTripIntoAnEmptyPoolForViewing) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  test::FakeEnv otherEnv;
  otherEnv.PutFile(path, env.FileBytes(path));
  AppState viewer(otherEnv);
  ASSERT_TRUE(LoadDayLogFile(viewer, viewer.viewedDay, path, UserViewedDay));
  ASSERT_EQ(viewer.pool.Size(), 1u);
  EXPECT_EQ(viewer.pool.Entries().begin()->second.users, UserViewedDay);
  ASSERT_EQ(viewer.viewedDay.Count(), 3u);
  for (uint32_t i = 0; i < 3; ++i) {
    ASSERT_NE(viewer.pool.Find(static_cast<int32_t>(viewer.viewedDay.Header(i).exeKey)), nullptr);
    EXPECT_EQ(viewer.viewedDay.Title(i), u"title " + std::u16string(1, u'a' + i));
  }
  EXPECT_EQ(viewer.pool.currentDayStringBytes, 0);
}

TEST_F(DayLogFileTest, FailedSaveKeepsThePreviousFileAndLeavesNoTemporary) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  const std::string before = env.FileBytes(path);

  app.sampler.day.Clear();  // strings but no records
  EXPECT_FALSE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_EQ(env.FileBytes(path), before);

  app.pool.ClearAll();  // no strings at all
  app.sampler.day.Append({0, 0, 1, 0}, u"t");
  EXPECT_FALSE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_EQ(env.FileBytes(path), before);
  EXPECT_FALSE(env.HasFile(path + u".tmp"));
}

TEST_F(DayLogFileTest, TruncatedFilesFailToLoad) {
  env.PutFile(path, ".LOG");
  EXPECT_FALSE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
  env.PutFile(path, ByteBuilder().Text(".LOG").Section(StringEntry(u"x.exe")).str());
  EXPECT_FALSE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
  env.PutFile(path, ".LOX" + DayFile(StringEntry(u"x.exe"), RecordBytes(24, 0, 0, 0, u"")).substr(4));
  EXPECT_FALSE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
  EXPECT_FALSE(LoadDayLogFile(app, app.viewedDay, u"/app/log/missing.bin2", UserViewedDay));
}

TEST_F(DayLogFileTest, StringEntryOf520BytesIsTheLargestAccepted) {
  const std::u16string longest(259, u'p');
  env.PutFile(path, DayFile(StringEntry(longest), RecordBytes(24, 0, 0, 0, u"")));
  EXPECT_TRUE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));

  const std::string tooLong = ByteBuilder().U16(522).Utf16(std::u16string(260, u'q')).str();
  env.PutFile(path, DayFile(StringEntry(u"first.exe") + tooLong, RecordBytes(24, 0, 0, 0, u"")));
  EXPECT_FALSE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
  EXPECT_NE(app.pool.Find(StringKey(u"first.exe")), nullptr);  // taken before the bad entry
  const std::string n521 = ByteBuilder().U16(521).Zeros(521).str();
  env.PutFile(path, DayFile(n521, RecordBytes(24, 0, 0, 0, u"")));
  EXPECT_FALSE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
}

TEST_F(DayLogFileTest, BadRecordsAreSkippedAndTheWalkGoesOn) {
  std::string records = RecordBytes(24, 1, 1, 0, u"a");
  records += ByteBuilder().U32(284).U32(0).U32(0).U32(0).Zeros(268).str();  // too large: skipped whole
  records += RecordBytes(24, 86'400'000, 0, 0, u"b");                      // start out of range
  records += RecordBytes(24, 0, 86'400'001, 0, u"c");                      // duration out of range
  records += RecordBytes(24, 2, 2, 0, u"d");
  records += RecordBytes(40, 3, 3, 0, u"end");  // runs past the end: ends the walk
  records.resize(records.size() - 8);
  env.PutFile(path, DayFile(StringEntry(u"x.exe"), records));
  ASSERT_TRUE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
  ASSERT_EQ(app.viewedDay.Count(), 2u);
  EXPECT_EQ(app.viewedDay.Title(0), u"a");
  EXPECT_EQ(app.viewedDay.Title(1), u"d");

  // A zero size ends the walk; what came before stays.
  env.PutFile(path, DayFile(StringEntry(u"x.exe"), RecordBytes(24, 5, 5, 0, u"e") + std::string(48, '\0') +
                                                        RecordBytes(24, 6, 6, 0, u"f")));
  ASSERT_TRUE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
  EXPECT_EQ(app.viewedDay.Count(), 1u);

  // Sizes that cannot hold a header, or would misalign the next record, are skipped like bad records.
  env.PutFile(path, DayFile(StringEntry(u"x.exe"), ByteBuilder().U32(12).U32(0).U32(0).str() +
                                                        ByteBuilder().U32(20).Zeros(16).str() + RecordBytes(24, 7, 7, 0, u"g")));
  ASSERT_TRUE(LoadDayLogFile(app, app.viewedDay, path, UserViewedDay));
  ASSERT_EQ(app.viewedDay.Count(), 1u);
  EXPECT_EQ(app.viewedDay.Title(0), u"g");
}

TEST_F(DayLogFileTest, RecordSectionOfWrongLengthLeavesTargetAsItWas) {
  app.sampler.day.Append({0, 1, 1, 0}, u"kept");
  const std::string records = RecordBytes(24, 0, 0, 0, u"");
  const std::string packed = test::Deflate(records);
  const std::string file = ByteBuilder()
                               .Text(".LOG")
                               .Section(StringEntry(u"x.exe"))
                               .U32(static_cast<uint32_t>(packed.size()))
                               .U32(25)
                               .Append(packed)
                               .str();
  env.PutFile(path, file);
  EXPECT_FALSE(LoadDayLogFile(app, app.sampler.day, path, UserCurrentDay));
  EXPECT_EQ(app.sampler.day.Count(), 1u);
}

TEST_F(DayLogFileTest, StartupLoadCountsCurrentDayBytesAndEmptiesTheViewedDay) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  app.pool.ClearAll();
  app.sampler.day.Clear();
  app.viewedDay.Append({0, 0, 0, 0}, u"viewed");
  ASSERT_TRUE(LoadTodayDayLog(app, 2016, 3, 7));
  EXPECT_EQ(app.sampler.day.Count(), 3u);
  EXPECT_EQ(app.viewedDay.Count(), 0u);
  EXPECT_EQ(app.pool.currentDayStringBytes, static_cast<int32_t>(2 * (std::u16string(u"C:\\apps\\editor.exe").size() + 1)));
  // The next save has room for the loaded strings.
  EXPECT_TRUE(SaveDayLog(app, 2016, 3, 7));
}

TEST_F(DayLogFileTest, UnreadableTodayFileIsSetAsideNotOverwritten) {
  const std::string damaged = ".LOG garbage that is not a section";
  env.PutFile(path, damaged);
  env.PutFile(path + u".unreadable-1", "an older one");
  EXPECT_FALSE(LoadTodayDayLog(app, 2016, 3, 7));
  EXPECT_FALSE(env.HasFile(path));
  EXPECT_EQ(env.FileBytes(path + u".unreadable-2"), damaged);

  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_EQ(env.FileBytes(path + u".unreadable-2"), damaged);
}

TEST_F(DayLogFileTest, LeftoverTemporaryFileIsIgnoredAndRemovedByTheNextSave) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  env.PutFile(path + u".tmp", ".LOG half-written");
  AppState reader(env);
  ASSERT_TRUE(LoadDayLogFile(reader, reader.viewedDay, path, UserViewedDay));
  EXPECT_EQ(reader.viewedDay.Count(), 3u);
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_FALSE(env.HasFile(path + u".tmp"));
}

TEST_F(DayLogFileTest, KindComesFromTheExtensionInAnyCase) {
  EXPECT_EQ(DayLogKindOf(u"C:\\x\\20160307.BIN2"), DayLogKind::Current);
  EXPECT_EQ(DayLogKindOf(u"20160307.Bin"), DayLogKind::Legacy);
  EXPECT_EQ(DayLogKindOf(u"20160307.bin2.tmp"), DayLogKind::Other);
  EXPECT_EQ(DayLogKindOf(u"noextension"), DayLogKind::Other);
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  env.PutFile(u"/app/log/COPY.BIN2", env.FileBytes(path));
  EXPECT_TRUE(LoadDayLogFile(app, app.viewedDay, u"/app/log/COPY.BIN2", UserViewedDay));
}

TEST_F(DayLogFileTest, ByDateLooksInTheOpenDialogFolder) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_TRUE(LoadDayLogByDate(app, 2016, 3, 7));
  EXPECT_EQ(app.viewedDay.Count(), 3u);
  EXPECT_FALSE(LoadDayLogByDate(app, 2016, 3, 8));
  EXPECT_EQ(app.viewedDay.Count(), 0u);
}

}  // namespace
}  // namespace qm
