#include "storage/day_log_file.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "storage/log_folder.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;
using test::U32At;

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
  bool Load(const std::string& bytes) {
    env.PutFile(path, bytes);
    return LoadDayLogFile(app, app.viewedDay, path, UserViewedDay);
  }
  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/log/20160307.bin2";
};

TEST_F(DayLogFileTest, SavedFileIsMagicThenStringsInSignedKeyOrderThenTheRecords) {
  EXPECT_EQ(DayLogFileName(999, 12, 31, u"bin"), u"9991231.bin");
  RecordDay();
  for (const char16_t* p : {u"b.exe", u"zzzzzzzzzzzz.exe", u"a.exe"}) app.pool.Intern(p, UserCurrentDay);
  app.pool.Intern(u"viewed-only.exe", UserViewedDay);  // other users' strings stay out
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_FALSE(env.HasFile(path + u".tmp"));

  // Each section: packed length, raw length, zlib stream.
  const std::string file = env.FileBytes(path);
  ASSERT_EQ(file.substr(0, 4), ".LOG");
  const uint32_t stringsPacked = U32At(file, 4);
  // Keys: editor.exe -1,715,723,210, zzzzzzzzzzzz.exe -511,779,164, a.exe 91,052,805, b.exe 91,976,326.
  const std::string strings = StringEntry(u"C:\\apps\\editor.exe") + StringEntry(u"zzzzzzzzzzzz.exe") +
                              StringEntry(u"a.exe") + StringEntry(u"b.exe");
  EXPECT_EQ(U32At(file, 8), strings.size());
  EXPECT_EQ(test::Inflate(file.substr(12, stringsPacked), strings.size()), strings);
  const size_t second = 12 + stringsPacked;
  const std::string records(reinterpret_cast<const char*>(app.sampler.day.Bytes()), app.sampler.day.ByteLength());
  EXPECT_EQ(U32At(file, second + 4), records.size());
  EXPECT_EQ(test::Inflate(file.substr(second + 8, U32At(file, second)), records.size()), records);
  EXPECT_EQ(file.size(), second + 8 + U32At(file, second));
}

TEST_F(DayLogFileTest, RoundTripIntoAnEmptyPoolForViewing) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  test::FakeEnv otherEnv;
  otherEnv.PutFile(path, env.FileBytes(path));
  AppState viewer(otherEnv);
  viewer.viewedDay.Append({0, 0, 0, 0}, u"an earlier day");
  ASSERT_TRUE(LoadDayLogFile(viewer, viewer.viewedDay, path, UserViewedDay));
  ASSERT_EQ(viewer.pool.Size(), 1u);
  EXPECT_EQ(viewer.pool.Entries().begin()->second.users, UserViewedDay);
  EXPECT_EQ(viewer.pool.currentDayStringBytes, 0);
  ASSERT_EQ(viewer.viewedDay.Count(), 3u);
  EXPECT_EQ(viewer.pool.Find(static_cast<int32_t>(viewer.viewedDay.Header(2).exeKey))->Text(), u"C:\\apps\\editor.exe");
  EXPECT_EQ(viewer.viewedDay.Title(2), u"title c");
}

TEST_F(DayLogFileTest, DayWithoutRecordsIsNotSaved) {
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  const std::string before = env.FileBytes(path);
  app.sampler.day.Clear();  // strings but no records
  EXPECT_FALSE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_EQ(env.FileBytes(path), before);
  EXPECT_FALSE(env.HasFile(path + u".tmp"));
}

// The entry carried over midnight keeps its path with the old day: a day of that entry alone is
// saved with the empty path as its one string, and reads back.
TEST_F(DayLogFileTest, DayWhoseRecordsNameNoPathOfTheDayIsSavedWithTheEmptyPath) {
  app.sampler.day.Append({0, 0, 5000, 77}, u"overnight");
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_EQ(env.FileBytes(path), DayFile(StringEntry(u""), RecordBytes(40, 0, 5000, 77, u"overnight")));
  DayLog loaded;
  ASSERT_TRUE(LoadDayLogFile(app, loaded, path, UserViewedDay));
  EXPECT_EQ(loaded.Count(), 1u);
}

// Into the current day, which a failed load leaves as it was.
TEST_F(DayLogFileTest, MissingTruncatedMislabelledOrMismeasuredFilesFail) {
  app.sampler.day.Append({0, 1, 1, 0}, u"kept");
  const std::string one = RecordBytes(24, 0, 0, 0, u""), packed = test::Deflate(one);
  const std::string bad[] = {
      ".LOG", ByteBuilder().Text(".LOG").Section(StringEntry(u"x.exe")).str(),
      ".LOX" + DayFile(StringEntry(u"x.exe"), one).substr(4),
      ByteBuilder().Text(".LOG").Section(StringEntry(u"x.exe")).U32(static_cast<uint32_t>(packed.size())).U32(25).Append(packed).str()};
  for (const std::string& bytes : bad) {
    env.PutFile(path, bytes);
    EXPECT_FALSE(LoadDayLogFile(app, app.sampler.day, path, UserCurrentDay));
    EXPECT_EQ(app.sampler.day.Count(), 1u);
  }
  EXPECT_FALSE(LoadDayLogFile(app, app.sampler.day, u"/app/log/missing.bin2", UserCurrentDay));
}

TEST_F(DayLogFileTest, StringEntryOf520BytesIsTheLargestAccepted) {
  const std::string one = RecordBytes(24, 0, 0, 0, u"");
  EXPECT_TRUE(Load(DayFile(StringEntry(std::u16string(259, u'p')), one)));
  const std::string n521 = ByteBuilder().U16(521).Zeros(521).str();
  EXPECT_FALSE(Load(DayFile(StringEntry(u"first.exe") + n521, one)));
  EXPECT_NE(app.pool.Find(StringKey(u"first.exe")), nullptr);  // taken before the bad entry
}

TEST_F(DayLogFileTest, BadRecordsAreSkippedAndTheWalkGoesOn) {
  std::string records = RecordBytes(24, 1, 1, 0, u"a");
  records += ByteBuilder().U32(284).U32(0).U32(0).U32(0).Zeros(268).str();  // misaligned: skipped whole
  records += ByteBuilder().U32(288).U32(0).U32(0).U32(0).Zeros(272).str();  // too large: skipped whole
  records += RecordBytes(24, 86'400'000, 0, 0, u"b");                      // start out of range
  records += RecordBytes(24, 0, 86'400'001, 0, u"c");                      // duration out of range
  records += RecordBytes(24, 2, 2, 0, u"d");
  records += RecordBytes(40, 3, 3, 0, u"end");  // runs past the end: ends the walk
  records.resize(records.size() - 8);
  ASSERT_TRUE(Load(DayFile(StringEntry(u"x.exe"), records)));
  ASSERT_EQ(app.viewedDay.Count(), 2u);
  EXPECT_EQ(app.viewedDay.Title(0), u"a");
  EXPECT_EQ(app.viewedDay.Title(1), u"d");

  // A zero size ends the walk; what came before stays.
  ASSERT_TRUE(Load(DayFile(StringEntry(u"x.exe"),
                           RecordBytes(24, 5, 5, 0, u"e") + std::string(48, '\0') + RecordBytes(24, 6, 6, 0, u"f"))));
  EXPECT_EQ(app.viewedDay.Count(), 1u);

  // Sizes that cannot hold a header, or would misalign the next record, are skipped like bad records.
  ASSERT_TRUE(Load(DayFile(StringEntry(u"x.exe"), ByteBuilder().U32(12).U32(0).U32(0).str() +
                                                      ByteBuilder().U32(20).Zeros(16).str() + RecordBytes(24, 7, 7, 0, u"g"))));
  ASSERT_EQ(app.viewedDay.Count(), 1u);
  EXPECT_EQ(app.viewedDay.Title(0), u"g");
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
  EXPECT_TRUE(SaveDayLog(app, 2016, 3, 7));  // the next save has room for the loaded strings
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

TEST_F(DayLogFileTest, KindFromTheExtensionAndLoadingByDateFromTheOpenDialogFolder) {
  EXPECT_EQ(DayLogKindOf(u"C:\\x\\20160307.BIN2"), DayLogKind::Current);
  EXPECT_EQ(DayLogKindOf(u"20160307.bin2.tmp"), DayLogKind::Other);  // .bin: see the legacy reader
  RecordDay();
  ASSERT_TRUE(SaveDayLog(app, 2016, 3, 7));
  EXPECT_TRUE(LoadDayLogByDate(app, 2016, 3, 7));
  EXPECT_EQ(app.viewedDay.Count(), 3u);
  EXPECT_FALSE(LoadDayLogByDate(app, 2016, 3, 8));
  EXPECT_EQ(app.viewedDay.Count(), 0u);
}

}  // namespace
}  // namespace qm
