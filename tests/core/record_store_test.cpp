#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/day_log.h"
#include "core/string_pool.h"

namespace qm {
namespace {

ActivityRecord Header(uint32_t start, uint32_t duration, uint32_t exeKey = 7) { return {0, start, duration, exeKey}; }

TEST(DayLog, AppendLaysRecordsBackToBackSizedByTheirTitles) {
  DayLog day;
  ASSERT_TRUE(day.Append(Header(1000, 500, 42), u""));
  ASSERT_TRUE(day.Append(Header(2000, 600), u"ab"));
  ASSERT_TRUE(day.Append(Header(3000, 700), std::u16string(129, u'x')));
  ASSERT_EQ(day.Count(), 3u);
  EXPECT_EQ(day.ByteLength(), 24u + 32 + 280);
  EXPECT_EQ(day.At(1) - day.At(0), 24);
  EXPECT_EQ(day.At(2) - day.At(0), 56);
  const ActivityRecord first = day.Header(0);
  EXPECT_EQ(first.size, 24u);
  EXPECT_EQ(first.start, 1000u);
  EXPECT_EQ(first.duration, 500u);
  EXPECT_EQ(first.exeKey, 42u);
  EXPECT_EQ(day.Title(1), u"ab");
  EXPECT_EQ(day.Header(2).size, 280u);
  // Behind the title's terminator the record is zero up to its size.
  for (uint32_t i = 16 + 2 * 2; i < 32; ++i) EXPECT_EQ(day.At(1)[i], 0) << i;
  EXPECT_EQ(day.At(3), nullptr);
  day.Clear();
  EXPECT_EQ(day.ByteLength(), 0u);
  EXPECT_EQ(day.At(0), nullptr);
}

TEST(DayLog, AppendRefusesOutOfRangeValuesAndLongTitles) {
  DayLog day;
  EXPECT_TRUE(day.Append(Header(86'399'999, 0), u"a"));
  EXPECT_FALSE(day.Append(Header(86'400'000, 0), u"a"));
  EXPECT_TRUE(day.Append(Header(0, 86'400'000), u"a"));
  EXPECT_FALSE(day.Append(Header(0, 86'400'001), u"a"));
  EXPECT_FALSE(day.Append(Header(0, 0), std::u16string(130, u'x')));
  EXPECT_EQ(day.Count(), 2u);
  EXPECT_EQ(day.ByteLength(), 48u);
}

TEST(DayLog, TitleStopsAtFirstZeroAndNeverLeavesTheRecord) {
  DayLog day;
  ASSERT_TRUE(day.Append(Header(0, 0), std::u16string(u"ab\0cd", 5)));
  EXPECT_EQ(day.Title(0), u"ab");
  EXPECT_EQ(day.Header(0).size, 32u);
  // A record as a damaged file may give it: no terminator at all.
  uint8_t* record = day.At(day.Reserve(24));
  const ActivityRecord header{24, 0, 0, 0};
  std::memcpy(record, &header, 16);
  std::memset(record + 16, 'z', 8);
  EXPECT_EQ(day.Title(1).size(), 4u);
}

TEST(StringPool, KeyIsASignedMultiplyBy31Hash) {
  EXPECT_EQ(StringKey(u""), 0);
  EXPECT_EQ(StringKey(u"abc"), 96354);
  EXPECT_LT(StringKey(u"C:\\Windows\\System32\\notepad.exe"), 0);  // wraps in 32 bits
  // "Aa" and "BB" collide: they share the entry of the first text.
  ASSERT_EQ(StringKey(u"Aa"), StringKey(u"BB"));
  StringPool pool;
  pool.Intern(u"Aa", UserViewedDay);
  const int32_t key = pool.Intern(u"BB", UserCurrentDay);
  EXPECT_EQ(pool.Size(), 1u);
  EXPECT_EQ(pool.Find(key)->Text(), u"Aa");
}

TEST(StringPool, UsersAreCountedOnceAndTheEntryLivesUntilTheLastReleases) {
  StringPool pool;
  const int32_t key = pool.Intern(u"app.exe", UserCurrentDay);
  pool.Intern(u"app.exe", UserCurrentDay);
  EXPECT_EQ(pool.currentDayStringBytes, 16);
  PoolEntry& entry = pool.Slot(key);
  EXPECT_FALSE(StringPool::Acquire(entry, u"app.exe", UserCurrentDay));
  EXPECT_TRUE(StringPool::Acquire(entry, u"app.exe", UserViewedDay));
  EXPECT_EQ(entry.users, UserCurrentDay | UserViewedDay);
  pool.Intern(u"colour.exe", UserColorRules);
  pool.Intern(u"viewed.exe", UserViewedDay);
  EXPECT_EQ(pool.currentDayStringBytes, 16);  // other users' strings never count

  pool.Release(UserCurrentDay);
  ASSERT_NE(pool.Find(key), nullptr);
  EXPECT_EQ(pool.Find(key)->users, UserViewedDay);
  pool.Release(UserViewedDay);
  EXPECT_EQ(pool.Find(key), nullptr);
  EXPECT_EQ(pool.Size(), 1u);
  EXPECT_EQ(pool.currentDayStringBytes, 16);  // releasing does not lower the total; only ClearAll does
  pool.ClearAll();
  EXPECT_EQ(pool.Size(), 0u);
  EXPECT_EQ(pool.currentDayStringBytes, 0);
}

}  // namespace
}  // namespace qm
