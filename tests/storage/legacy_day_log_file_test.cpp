#include "storage/legacy_day_log_file.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;

// A record of the earlier format: clock fields, start and end ticks, a 256-unit title, the key.
std::string Old(uint16_t hour, uint16_t minute, uint32_t startTick, uint32_t endTick, std::u16string title,
                uint32_t key = 0) {
  title.resize(256, u'\0');
  return ByteBuilder().U16(hour).U16(minute).U16(7).U16(250).U32(startTick).U32(endTick).Utf16(title, false).U32(key).str();
}

std::string OldString(std::u16string_view text) {
  return ByteBuilder().U32(static_cast<uint32_t>(2 * (text.size() + 1))).Utf16(text).str();
}

std::string LegacyFile(const std::string& strings, const std::string& records) {
  return ByteBuilder().Text(".LOG").Section(strings).Section(records).str();
}

class LegacyDayLogTest : public ::testing::Test {
 protected:
  bool Load(const std::string& bytes, const std::u16string& name = u"/app/log/20150101.bin") {
    env.PutFile(name, bytes);
    return LoadLegacyDayLogFile(app, app.viewedDay, name, UserViewedDay);
  }
  // Each record as "start+duration title".
  std::string Records() const {
    std::string text;
    for (uint32_t i = 0; i < app.viewedDay.Count(); ++i) {
      const ActivityRecord r = app.viewedDay.Header(i);
      text += std::to_string(r.start) + "+" + std::to_string(r.duration) + ToUtf8(app.viewedDay.Title(i)) + " ";
    }
    return text;
  }
  test::FakeEnv env;
  AppState app{env};
};

TEST_F(LegacyDayLogTest, ClockFieldsAndTicksBecomeStartAndDurationAndRecordsThatDoNotFitAreDropped) {
  const int32_t key = StringKey(u"C:\\old\\app.exe");
  app.viewedDay.Append({0, 0, 0, 0}, u"an earlier day");
  const std::string records = Old(13, 5, 1000, 3500, u"editor", static_cast<uint32_t>(key)) +
                              Old(0, 0, 4'294'967'000u, 704, u"wrapped") + Old(1, 0, 0, 1, std::u16string(129, u'a')) +
                              Old(2, 0, 0, 1, std::u16string(130, u'b')) + Old(3, 0, 5000, 4000, u"backwards") +
                              Old(24, 0, 0, 1, u"hour 24") + Old(4, 0, 0, 1, u"last");
  ASSERT_TRUE(Load(LegacyFile(OldString(u"C:\\old\\app.exe"), records + std::string(36, '\x7f'))));  // a partial record is ignored
  EXPECT_EQ(Records(), "47107250+2500editor 7250+1000wrapped 3607250+1" + std::string(129, 'a') + " 14407250+1last ");
  EXPECT_EQ(app.viewedDay.Header(0).exeKey, static_cast<uint32_t>(key));
  EXPECT_EQ(app.pool.Find(key)->users, UserViewedDay);
}

TEST_F(LegacyDayLogTest, OnlyTheBinExtensionAndWholeSectionsAreAccepted) {
  const std::string record = Old(1, 0, 0, 1, u"a");
  const std::string file = LegacyFile(OldString(u"x.exe"), record);
  EXPECT_TRUE(Load(file, u"/app/log/20150101.BIN"));
  for (const std::u16string name : {u"/app/log/20150101.bin2", u""}) EXPECT_FALSE(Load(file, name));
  for (const std::string& bytes : {std::string(".LO"), "LOG." + file.substr(4)}) EXPECT_FALSE(Load(bytes));
  // A record section announcing more than it holds: the strings stay acquired, no records.
  const std::string packed = test::Deflate(record);
  EXPECT_FALSE(Load(ByteBuilder().Text(".LOG").Section(OldString(u"kept.exe")).U32(static_cast<uint32_t>(packed.size())).U32(600).Append(packed).str()));
  EXPECT_NE(app.pool.Find(StringKey(u"kept.exe")), nullptr);
  EXPECT_EQ(app.viewedDay.Count(), 0u);
}

TEST_F(LegacyDayLogTest, StringEntriesAreBoundedByTheirSizeAndTheData) {
  // No terminator inside n bytes; an entry ending right at the end; then one running past it.
  const std::string strings = ByteBuilder().U32(6).Utf16(u"abc", false).U32(4).Utf16(u"d").str();
  ASSERT_TRUE(Load(LegacyFile(strings + ByteBuilder().U32(400).Utf16(u"cut").str(), Old(1, 0, 0, 1, u"a"))));
  ASSERT_TRUE(Load(LegacyFile(strings, Old(1, 0, 0, 1, u"a"))));
  EXPECT_NE(app.pool.Find(StringKey(u"abc")), nullptr);
  EXPECT_NE(app.pool.Find(StringKey(u"d")), nullptr);
  EXPECT_EQ(app.pool.Size(), 2u);
}

TEST_F(LegacyDayLogTest, TodaysLegacyFileIsTheStartupFallbackAndLoadsByDate) {
  const std::string file = LegacyFile(OldString(u"C:\\old\\app.exe"), Old(9, 0, 0, 1, u"a"));
  env.PutFile(u"/app/log/20160307.bin", file);
  ASSERT_TRUE(LoadTodayDayLog(app, 2016, 3, 7));
  EXPECT_EQ(app.sampler.day.Count(), 1u);
  EXPECT_EQ(app.pool.currentDayStringBytes, 30);
  CopyToArray(app.settings.logDialog.folder, u"/old");
  EXPECT_FALSE(LoadLegacyDayLogByDate(app, 2016, 3, 7));
  env.PutFile(u"/old/20160307.bin", file);
  EXPECT_TRUE(LoadLegacyDayLogByDate(app, 2016, 3, 7));
}

}  // namespace
}  // namespace qm
