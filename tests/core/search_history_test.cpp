#include "core/search_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/string_pool.h"

namespace qm {
namespace {

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
