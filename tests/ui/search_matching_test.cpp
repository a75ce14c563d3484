#include "ui/search_matching.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using Rows = std::vector<uint32_t>;

// Rows 0-5 of the recording day; the legacy path belongs to a viewed day only.
class SearchMatchingTest : public ::testing::Test {
 protected:
  SearchMatchingTest() {
    const auto editor = Key(u"C:\\tools\\editor.exe", UserCurrentDay);
    const auto viewer = Key(u"C:\\tools\\viewer.EXE", UserCurrentDay);
    legacy = Key(u"C:\\old\\legacy.exe", UserViewedDay);
    const std::pair<const char16_t*, uint32_t> records[] = {{u"Edit notes", editor}, {u"edit lower", viewer},
                                                           {u"Mail", editor},        {u"Edit again", 0},
                                                           {u"Browser", viewer},     {u"Old", legacy}};
    for (const auto& [title, key] : records) app.sampler.day.Append({0, 0, 1, key}, title);
    list.Rebuild(app.sampler.day);
  }
  uint32_t Key(std::u16string_view path, uint16_t user) { return static_cast<uint32_t>(app.pool.Intern(path, user)); }
  Rows All(const SearchQuery& query, int32_t firstSelected = -1) { return AllMatchingRows(list, query, firstSelected); }

  test::FakeEnv env;
  AppState app{env};
  ListModel list;
  uint32_t legacy = 0;
};

TEST_F(SearchMatchingTest, TitlesCaseSensitivelyPathsOfTheShownDayAndTheStartRowsOfEachDirection) {
  const SearchQuery edit = MakeSearchQuery(app, list, u"Edit", true, false);
  EXPECT_EQ(All(edit), (Rows{0, 3}));
  // Lower-case ".exe": the viewer's ".EXE" does not match; the legacy path is another day's.
  EXPECT_EQ(All(MakeSearchQuery(app, list, u".exe", false, true)), (Rows{0, 2}));
  EXPECT_EQ(All(MakeSearchQuery(app, list, u"Edit", false, false)), Rows{});
  // Downward from the last match finds nothing; upward from above it finds the one before.
  EXPECT_EQ(FindMatchingRow(list, edit, DownwardStart(3), true), -1);
  EXPECT_EQ(FindMatchingRow(list, edit, DownwardStart(-1), true), 0);
  EXPECT_EQ(FindMatchingRow(list, edit, UpwardStart(3), false), 0);
  EXPECT_EQ(FindMatchingRow(list, edit, 99, false), 3);
  // Upward with row 0 (or nothing) selected tests row 0 alone.
  EXPECT_EQ(UpwardStart(0), 0);
  EXPECT_EQ(UpwardStart(-1), 0);
  EXPECT_EQ(FindMatchingRow(list, MakeSearchQuery(app, list, u"Mail", true, false), UpwardStart(0), false), -1);
  // Select-all searches below the first selected row only.
  EXPECT_EQ(All(edit, 0), Rows{3});
  EXPECT_EQ(All(MakeSearchQuery(app, list, u"i", true, false), 1), (Rows{2, 3}));

  ListModel empty;
  EXPECT_EQ(FindMatchingRow(empty, edit, 0, true), -1);

  // A viewed day dated today searches its own paths.
  app.viewedDay.Append({0, 0, 1, legacy}, u"Old");
  list.Rebuild(app.viewedDay);
  list.shownDate = {env.now.year, env.now.month, env.now.day};
  std::vector<int32_t> keys;
  ASSERT_TRUE(MatchingExeKeys(app, list, u"legacy", keys));
  EXPECT_EQ(keys, std::vector<int32_t>{static_cast<int32_t>(legacy)});
  EXPECT_FALSE(MatchingExeKeys(app, list, u"editor", keys));
}

}  // namespace
}  // namespace qm
