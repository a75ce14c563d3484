#include <gtest/gtest.h>

#include <string>

#include "core/day_log.h"
#include "core/string_pool.h"

namespace qm {
namespace {

ActivityRecord Header(uint32_t start, uint32_t duration, uint32_t exeKey = 7) { return {0, start, duration, exeKey}; }

TEST(DayLog, RecordSizeFollowsTitleLength) {
  EXPECT_EQ(RecordSizeFor(0), 24u);
  EXPECT_EQ(RecordSizeFor(1), 24u);
  EXPECT_EQ(RecordSizeFor(2), 32u);
  EXPECT_EQ(RecordSizeFor(3), 32u);
  EXPECT_EQ(RecordSizeFor(129), 280u);
  EXPECT_EQ(RecordSizeFor(130), 288u);
}

TEST(DayLog, AppendLaysRecordsBackToBack) {
  DayLog day;
  ASSERT_TRUE(day.Append(Header(1000, 500, 42), u""));
  ASSERT_TRUE(day.Append(Header(2000, 600), u"ab"));
  ASSERT_TRUE(day.Append(Header(3000, 700), std::u16string(129, u'x')));
  ASSERT_EQ(day.Count(), 3u);
  EXPECT_EQ(day.ByteLength(), 336u);
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

TEST(DayLog, ClearKeepsNothing) {
  DayLog day;
  day.Append(Header(0, 0), u"a");
  day.Clear();
  EXPECT_EQ(day.Count(), 0u);
  EXPECT_EQ(day.ByteLength(), 0u);
  EXPECT_EQ(day.At(0), nullptr);
}

TEST(StringPool, KeyIsMultiplyBy31Hash) {
  EXPECT_EQ(StringKey(u""), 0);
  EXPECT_EQ(StringKey(u"abc"), 96354);
  // Wraps in 32 bits and is signed.
  EXPECT_LT(StringKey(u"C:\\Windows\\System32\\notepad.exe"), 0);
}

TEST(StringPool, AcquireCountsNewUsersOnce) {
  StringPool pool;
  EXPECT_EQ(pool.Intern(u"abc", UserCurrentDay), 96354);
  EXPECT_EQ(pool.currentDayStringBytes, 8);
  pool.Intern(u"abc", UserCurrentDay);
  EXPECT_EQ(pool.currentDayStringBytes, 8);
  PoolEntry& entry = pool.Slot(96354);
  EXPECT_FALSE(StringPool::Acquire(entry, u"abc", UserCurrentDay));
  EXPECT_TRUE(StringPool::Acquire(entry, u"abc", UserViewedDay));
  EXPECT_EQ(entry.users, UserCurrentDay | UserViewedDay);
  EXPECT_EQ(entry.byteSize, 8);
  // Viewed-day acquisitions never count as current-day bytes.
  pool.Intern(u"other", UserViewedDay);
  EXPECT_EQ(pool.currentDayStringBytes, 8);
}

TEST(StringPool, EntryLivesUntilItsLastUserReleases) {
  StringPool pool;
  const int32_t key = pool.Intern(u"app.exe", UserCurrentDay);
  pool.Intern(u"app.exe", UserViewedDay);
  pool.Intern(u"colour.exe", UserColorRules);
  pool.Release(UserCurrentDay);
  ASSERT_NE(pool.Find(key), nullptr);
  EXPECT_EQ(pool.Find(key)->users, UserViewedDay);
  pool.Release(UserViewedDay);
  EXPECT_EQ(pool.Find(key), nullptr);
  EXPECT_EQ(pool.Size(), 1u);
  // Releasing does not lower the current-day total; only ClearAll does.
  EXPECT_EQ(pool.currentDayStringBytes, 16);
  pool.ClearAll();
  EXPECT_EQ(pool.Size(), 0u);
  EXPECT_EQ(pool.currentDayStringBytes, 0);
}

TEST(StringPool, CollidingKeysShareTheFirstText) {
  // "Aa" and "BB" have the same multiply-by-31 hash.
  ASSERT_EQ(StringKey(u"Aa"), StringKey(u"BB"));
  StringPool pool;
  pool.Intern(u"Aa", UserViewedDay);
  const int32_t key = pool.Intern(u"BB", UserCurrentDay);
  EXPECT_EQ(pool.Size(), 1u);
  EXPECT_EQ(pool.Find(key)->Text(), u"Aa");
}

TEST(StringPool, IterationIsInSignedKeyOrder) {
  StringPool pool;
  for (const char16_t* path : {u"zzzzzzzzzz", u"a", u"C:\\Windows\\notepad.exe", u"b"}) pool.Intern(path, UserColorRules);
  int32_t previous = INT32_MIN;
  for (const auto& [key, entry] : pool.Entries()) {
    EXPECT_GE(key, previous);
    previous = key;
  }
}

}  // namespace
}  // namespace qm
