// The record model: records back to back in the day log, the string pool's keys and counts, and the
// search history.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "core/day_log.h"
#include "core/search_history.h"
#include "core/string_pool.h"

namespace qm {
namespace {

// Out-of-range times are refused where records arrive: see the day log readers.
TEST(DayLog, RecordsLieBackToBackSizedByTheirTitlesAndZeroFilled) {
  DayLog day;
  ASSERT_TRUE(day.Append({0, 1000, 500, 42}, u""));
  ASSERT_TRUE(day.Append({0, 2000, 600, 7}, std::u16string(u"ab\0cd", 5)));  // the title ends at its first 0
  ASSERT_TRUE(day.Append({0, 3000, 700, 7}, std::u16string(129, u'x')));
  EXPECT_FALSE(day.Append({0, 3000, 700, 7}, std::u16string(130, u'x')) || day.Append({0, 0, 0, 0}, std::u16string(300, u'x')));
  EXPECT_EQ(day.ByteLength(), 24u + 32 + 280);
  EXPECT_EQ(day.At(2) - day.At(1), 32);
  const ActivityRecord first = day.Header(0);
  EXPECT_EQ(std::tuple(first.size, first.start, first.duration, first.exeKey), std::tuple(24u, 1000u, 500u, 42u));
  EXPECT_EQ(day.Title(1), u"ab");
  for (uint32_t i = 16 + 2 * 2; i < 32; ++i) EXPECT_EQ(day.At(1)[i], 0) << i;
  EXPECT_EQ(day.At(3), nullptr);
  // A record as a damaged file may give it, without a terminator: the title stays inside the record.
  uint8_t* record = day.At(day.Reserve(24));
  const ActivityRecord header{24, 0, 0, 0};
  std::memcpy(record, &header, 16);
  std::memset(record + 16, 'z', 8);
  EXPECT_EQ(day.Title(3).size(), 4u);
}

TEST(StringPool, KeyIsASignedMultiplyBy31HashCollidingTextsShareTheFirstAndTheCurrentDayCountsBytesOnce) {
  EXPECT_EQ(StringKey(u"abc"), 96354);
  EXPECT_LT(StringKey(u"C:\\Windows\\System32\\notepad.exe"), 0);  // wraps in 32 bits
  ASSERT_EQ(StringKey(u"Aa"), StringKey(u"BB"));
  StringPool pool;
  pool.Intern(u"Aa", UserViewedDay);
  const int32_t key = pool.Intern(u"BB", UserCurrentDay);
  EXPECT_EQ(pool.Size(), 1u);
  EXPECT_EQ(pool.Find(key)->Text(), u"Aa");

  // The current day's string bytes count each text once, when the current day first takes it; only
  // ClearAll lowers them. The 16-bit byte size describes at most 32,766 units and the terminator.
  pool.Intern(u"viewed.exe", UserViewedDay);
  for (uint16_t user : {UserCurrentDay, UserCurrentDay, UserViewedDay}) pool.Intern(u"app.exe", user);
  pool.Intern(std::u16string(32766, u'a'), UserCurrentDay);
  EXPECT_EQ(pool.Find(pool.Intern(std::u16string(32767, u'b'), UserCurrentDay)), nullptr);
  EXPECT_EQ(pool.currentDayStringBytes, 6 + 16 + 65534);
  pool.Release(UserCurrentDay);
  EXPECT_EQ(pool.Find(StringKey(u"app.exe"))->users, UserViewedDay);
  pool.ClearAll();
  EXPECT_EQ(pool.Size() + pool.currentDayStringBytes, 0u);
}

using Texts = std::vector<std::u16string>;

Texts TextsOf(const SearchHistory& history) {
  Texts texts;
  for (const auto& entry : history.Entries()) texts.emplace_back(entry.Text());
  return texts;
}

TEST(SearchHistory, NewestFirstOneEntryPerTextWithByteTotalsAndTheOldestGoingBeyondCapacity) {
  SearchHistory history(4);
  EXPECT_FALSE(history.AddSearchText(u"") || history.AddSearchText(std::u16string_view(u"\0abc", 4)));
  // The text ends at its terminator.
  EXPECT_TRUE(history.AddSearchText(std::u16string_view(u"ab\0cd", 5)) && history.AddSearchText(u"Edit") && history.AddSearchText(u"Aa"));
  EXPECT_EQ(TextsOf(history), (Texts{u"Aa", u"Edit", u"ab"}));
  EXPECT_EQ(history.ByteTotal(), 6u + 10 + 6);
  // A known text moves its entry to the front; another text with the same key gets an entry of its own.
  EXPECT_TRUE(history.AddSearchText(u"ab"));
  EXPECT_EQ(TextsOf(history), (Texts{u"ab", u"Aa", u"Edit"}));
  ASSERT_EQ(StringKey(u"Aa"), StringKey(u"BB"));
  EXPECT_TRUE(history.AddSearchText(u"BB"));
  EXPECT_EQ(TextsOf(history), (Texts{u"BB", u"ab", u"Aa", u"Edit"}));
  EXPECT_EQ(history.ByteTotal(), 6u + 6 + 6 + 10);
  EXPECT_TRUE(history.AddSearchText(u"three"));
  EXPECT_EQ(TextsOf(history), (Texts{u"three", u"BB", u"ab", u"Aa"}));
  EXPECT_EQ(history.ByteTotal(), 12u + 6 + 6 + 6);
}

}  // namespace
}  // namespace qm
