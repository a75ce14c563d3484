#include "core/search_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/string_pool.h"

namespace qm {
namespace {

std::vector<std::u16string> Texts(const SearchHistory& history) {
  std::vector<std::u16string> texts;
  for (const auto& entry : history.Entries()) texts.emplace_back(entry.Text());
  return texts;
}

TEST(SearchHistory, NewestFirstWithByteSizesAndTotal) {
  SearchHistory history;
  EXPECT_EQ(history.Capacity(), 64u);
  EXPECT_TRUE(history.AddSearchText(u"a"));
  EXPECT_TRUE(history.AddSearchText(u"Edit"));
  EXPECT_EQ(Texts(history), (std::vector<std::u16string>{u"Edit", u"a"}));
  EXPECT_EQ(history.Entries()[0].byteSize, 10u);
  EXPECT_EQ(history.Entries()[0].key, StringKey(u"Edit"));
  EXPECT_EQ(history.ByteTotal(), 14u);
}

TEST(SearchHistory, EmptyTextIsIgnoredAndTextEndsAtItsTerminator) {
  SearchHistory history;
  EXPECT_FALSE(history.AddSearchText(u""));
  EXPECT_FALSE(history.AddSearchText(std::u16string_view(u"\0abc", 4)));
  EXPECT_TRUE(history.AddSearchText(std::u16string_view(u"ab\0cd", 5)));
  EXPECT_EQ(Texts(history), std::vector<std::u16string>{u"ab"});
  EXPECT_EQ(history.ByteTotal(), 6u);
}

TEST(SearchHistory, KnownTextMovesToTheFrontWithoutDuplicate) {
  SearchHistory history;
  for (auto text : {u"a", u"b", u"c"}) history.AddSearchText(text);
  EXPECT_TRUE(history.AddSearchText(u"a"));
  EXPECT_EQ(Texts(history), (std::vector<std::u16string>{u"a", u"c", u"b"}));
  EXPECT_EQ(history.ByteTotal(), 12u);
}

TEST(SearchHistory, TextsWithTheSameKeyShareTheFirstEntry) {
  ASSERT_EQ(StringKey(u"Aa"), StringKey(u"BB"));
  SearchHistory history;
  history.AddSearchText(u"Aa");
  history.AddSearchText(u"x");
  EXPECT_TRUE(history.AddSearchText(u"BB"));
  EXPECT_EQ(Texts(history), (std::vector<std::u16string>{u"Aa", u"x"}));
}

TEST(SearchHistory, BeyondCapacityTheOldestGoes) {
  SearchHistory history;
  for (int i = 0; i < 65; ++i) history.AddSearchText(u"t" + std::u16string(1, static_cast<char16_t>(u'0' + i)));
  ASSERT_EQ(history.Count(), 64u);
  EXPECT_EQ(history.Entries().front().Text(), u"tp");  // '0' + 64
  EXPECT_EQ(history.Entries().back().Text(), u"t1");
  EXPECT_EQ(history.ByteTotal(), 64u * 6);

  SearchHistory small(2);
  for (auto text : {u"one", u"two", u"three"}) small.AddSearchText(text);
  EXPECT_EQ(Texts(small), (std::vector<std::u16string>{u"three", u"two"}));
  EXPECT_EQ(small.ByteTotal(), 12u + 8u);
}

TEST(SearchHistory, ClearEmptiesEverything) {
  SearchHistory history;
  history.AddSearchText(u"abc");
  history.ClearSearchHistory();
  EXPECT_EQ(history.Count(), 0u);
  EXPECT_EQ(history.ByteTotal(), 0u);
  EXPECT_TRUE(history.AddSearchText(u"abc"));
}

}  // namespace
}  // namespace qm
