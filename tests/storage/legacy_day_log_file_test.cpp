#include "storage/legacy_day_log_file.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "storage/day_log_file.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;

struct OldRecord {
  uint16_t hour, minute, second, millisecond;
  uint32_t startTick, endTick;
  std::u16string title;
  uint32_t exeKey;
};

std::string Bytes(const OldRecord& r) {
  ByteBuilder b;
  b.U16(r.hour).U16(r.minute).U16(r.second).U16(r.millisecond).U32(r.startTick).U32(r.endTick);
  std::u16string title = r.title.substr(0, 256);
  title.resize(256, u'\0');
  b.Utf16(title, false).U32(r.exeKey);
  return b.str();
}

std::string OldString(std::u16string_view text) {
  return ByteBuilder().U32(static_cast<uint32_t>(2 * (text.size() + 1))).Utf16(text).str();
}

std::string LegacyFile(const std::string& strings, const std::string& records) {
  return ByteBuilder().Text(".LOG").Section(strings).Section(records).str();
}

class LegacyDayLogTest : public ::testing::Test {
 protected:
  bool Load(const std::string& records, const std::string& strings = OldString(u"C:\\old\\app.exe")) {
    env.PutFile(path, LegacyFile(strings, records));
    return LoadLegacyDayLogFile(app, app.viewedDay, path, UserViewedDay);
  }
  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/log/20150101.bin";
};

TEST_F(LegacyDayLogTest, ClockFieldsAndTicksBecomeStartAndDuration) {
  const int32_t key = StringKey(u"C:\\old\\app.exe");
  app.viewedDay.Append({0, 0, 0, 0}, u"an earlier day");
  const std::string two = Bytes({13, 5, 7, 250, 1000, 3500, u"editor", static_cast<uint32_t>(key)}) +
                          Bytes({0, 0, 1, 0, 4'294'967'000u, 704, u"wrapped", 0});
  ASSERT_EQ(two.size(), 1064u);
  ASSERT_TRUE(Load(two + std::string(36, '\x7f')));  // bytes after the last whole record are ignored
  ASSERT_EQ(app.viewedDay.Count(), 2u);
  EXPECT_EQ(app.viewedDay.Header(0).start, 47'107'250u);
  EXPECT_EQ(app.viewedDay.Header(0).duration, 2500u);
  EXPECT_EQ(app.viewedDay.Header(0).exeKey, static_cast<uint32_t>(key));
  EXPECT_EQ(app.viewedDay.Title(0), u"editor");
  EXPECT_EQ(app.viewedDay.Header(1).duration, 1000u);
  ASSERT_NE(app.pool.Find(key), nullptr);
  EXPECT_EQ(app.pool.Find(key)->users, UserViewedDay);
}

TEST_F(LegacyDayLogTest, RecordsThatDoNotFitAreDroppedAndTheRestLoads) {
  ASSERT_TRUE(Load(Bytes({1, 0, 0, 0, 0, 1, std::u16string(129, u'a'), 0}) +
                   Bytes({2, 0, 0, 0, 0, 1, std::u16string(130, u'b'), 0}) +
                   Bytes({3, 0, 0, 0, 5000, 4000, u"backwards", 0}) +  // about 4,294,966,296 ms
                   Bytes({24, 0, 0, 0, 0, 1, u"hour 24", 0}) + Bytes({4, 0, 0, 0, 0, 1, u"last", 0})));
  ASSERT_EQ(app.viewedDay.Count(), 2u);
  EXPECT_EQ(app.viewedDay.Header(0).size, 280u);
  EXPECT_EQ(app.viewedDay.Title(1), u"last");
}

TEST_F(LegacyDayLogTest, OnlyTheBinExtensionAndWholeSectionsAreAccepted) {
  const std::string record = Bytes({1, 0, 0, 0, 0, 1, u"a", 0});
  const std::string file = LegacyFile(OldString(u"x.exe"), record);
  env.PutFile(u"/app/log/20150101.BIN", file);
  env.PutFile(u"/app/log/20150101.bin2", file);
  EXPECT_TRUE(LoadLegacyDayLogFile(app, app.viewedDay, u"/app/log/20150101.BIN", UserViewedDay));
  EXPECT_FALSE(LoadLegacyDayLogFile(app, app.viewedDay, u"/app/log/20150101.bin2", UserViewedDay));
  EXPECT_FALSE(LoadLegacyDayLogFile(app, app.viewedDay, u"", UserViewedDay));
  // No sections, or a wrong magic.
  for (const std::string& bytes : {std::string(".LOG"), "LOG." + file.substr(4)}) {
    env.PutFile(path, bytes);
    EXPECT_FALSE(LoadLegacyDayLogFile(app, app.viewedDay, path, UserViewedDay));
  }
  // A record section announcing more than it holds: the strings stay acquired, no records.
  const std::string packed = test::Deflate(record);
  env.PutFile(path, ByteBuilder()
                        .Text(".LOG")
                        .Section(OldString(u"kept.exe"))
                        .U32(static_cast<uint32_t>(packed.size()))
                        .U32(600)
                        .Append(packed)
                        .str());
  EXPECT_FALSE(LoadLegacyDayLogFile(app, app.viewedDay, path, UserViewedDay));
  EXPECT_NE(app.pool.Find(StringKey(u"kept.exe")), nullptr);
  EXPECT_EQ(app.viewedDay.Count(), 0u);
}

TEST_F(LegacyDayLogTest, StringEntriesAreBoundedByTheirSizeAndTheData) {
  // No terminator inside n bytes, then an entry running past the end: the first is taken as it is.
  const std::string strings = ByteBuilder().U32(6).Utf16(u"abc", false).U32(400).Utf16(u"cut").str();
  ASSERT_TRUE(Load(Bytes({1, 0, 0, 0, 0, 1, u"a", 0}), strings));
  EXPECT_NE(app.pool.Find(StringKey(u"abc")), nullptr);
  EXPECT_EQ(app.pool.Size(), 1u);
}

TEST_F(LegacyDayLogTest, TodaysLegacyFileIsTheStartupFallback) {
  env.PutFile(u"/app/log/20160307.bin", LegacyFile(OldString(u"C:\\old\\app.exe"), Bytes({9, 0, 0, 0, 0, 1, u"a", 0})));
  ASSERT_TRUE(LoadTodayDayLog(app, 2016, 3, 7));
  EXPECT_EQ(app.sampler.day.Count(), 1u);
  EXPECT_EQ(app.pool.currentDayStringBytes, static_cast<int32_t>(2 * (std::u16string(u"C:\\old\\app.exe").size() + 1)));
}

}  // namespace
}  // namespace qm
