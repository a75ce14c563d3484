// The portable logic of the settings, output-string, colour settings, usage and search windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "app/app_state.h"
#include "platform/utf.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"
#include "ui/common/dialog_template.h"
#include "ui/settings/away_settings.h"
#include "ui/settings/color_list.h"
#include "ui/settings/config_choices.h"
#include "ui/common/list_texts.h"
#include "ui/search/search_keys.h"
#include "ui/search/search_matching.h"
#include "ui/settings/template_sample.h"
#include "ui/usage/usage_cells.h"

namespace qm {
namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(DialogTemplate, TheFontIsReplacedAndTheControlsKeptOnTheirBoundary) {
  test::ByteBuilder header;
  header.U16(1).U16(0xFFFF).U32(0).U32(0).U32(0x80000040).U16(1).U16(0).U16(0).U16(300).U16(200);
  header.U16(0xFFFF).U16(7).Utf16(u"Quillmere").Utf16(u"設定1");  // a menu by number, a class by name
  test::ByteBuilder item;
  item.U32(0).U32(0).U32(0x50010000).U16(218).U16(289).U16(75).U16(15).U32(1035).U16(0xFFFF).U16(0x80);
  item.Utf16(u"close").U16(0);
  test::ByteBuilder font;
  font.U16(9).U16(400).Text(std::string("\0\x80", 2)).Utf16(u"MS UI Gothic").U16(0);  // 2 bytes to the boundary
  const std::string stored = header.str() + font.str() + item.str();
  ASSERT_EQ(header.size() % 4, 2u);

  const DialogFont shell{u"MS Shell Dlg 2", 8, 400, 0, 1};
  const std::vector<uint8_t> english = WithDialogFont(Bytes(stored), shell);
  test::ByteBuilder newFont;
  newFont.U16(8).U16(400).Text(std::string("\0\x01", 2)).Utf16(u"MS Shell Dlg 2").U16(0);
  EXPECT_EQ(english, Bytes(header.str() + newFont.str() + item.str()));
  EXPECT_EQ(WithDialogFont(english, {u"MS UI Gothic", 9, 400, 0, 0x80}), Bytes(stored));

  // No font to replace: an old-style template, or one without DS_SETFONT. A cut anywhere before the
  // controls gives nothing.
  std::string old = stored;
  old[0] = 0;
  EXPECT_TRUE(WithDialogFont(Bytes(old), shell).empty());
  std::string noFont = stored;
  noFont[12] = 0;
  EXPECT_TRUE(WithDialogFont(Bytes(noFont), shell).empty());
  const size_t fontEnd = header.size() + font.size() - 2;
  for (size_t cut = 0; cut < stored.size(); ++cut) {
    EXPECT_EQ(WithDialogFont(Bytes(stored.substr(0, cut)), shell).empty(), cut < fontEnd) << cut;
  }
}

using Choices = std::array<int, kChoiceListCount>;  // check period, timeline period, auto-save, deletion age

TEST(ConfigChoices, StoredValuesMapToListEntriesAndBack) {
  test::FakeEnv env;
  AppSettings settings;
  SettingsDefaults(settings, env);
  settings.checkPeriodMs = 75;  // in no entry: "100ms" is selected, and closing stores its value
  settings.timelinePeriodMs = 250;
  settings.autoSave = 2;  // every twelve hours, the last entry although its code is 2
  settings.deleteAge = 7;
  EXPECT_EQ(ChoiceSelections(settings), (Choices{2, 3, 4, -1}));
  EXPECT_EQ(ChoiceText(kSettingsChoiceLists[2].entries[4]) + ChoiceText(kSettingsChoiceLists[1].entries[5]),
            u"半日おき1000ms");
  StoreChoiceSelections(settings, ChoiceSelections(settings));
  EXPECT_EQ(std::tuple(settings.checkPeriodMs, settings.timelinePeriodMs, settings.autoSave, settings.deleteAge),
            std::tuple(100, 250, 2, -1));
  // The auto-save list is in the order of the interval, its codes are not; no valid selection leaves
  // a value list's setting as it was.
  const int32_t codes[5] = {0, 1, 3, 4, 2};
  for (int index = 0; index < 5; ++index) {
    StoreChoiceSelections(settings, {5, 5, index, index});
    EXPECT_EQ(std::pair(settings.autoSave, settings.deleteAge), std::pair(codes[index], index));
  }
  StoreChoiceSelections(settings, {-1, 6, 5, 3});
  EXPECT_EQ(std::pair(settings.checkPeriodMs, settings.timelinePeriodMs), std::pair(500, 1000));
}

TEST(ConfigChoices, NameTemplateCheckAndStatusLine) {
  const std::pair<std::u16string, int> cases[] = {
      {u"log_%y-%M-%D", kNameTemplateOk},   {u"a/b", kNameTemplateBadCharacter}, {u"%q", kNameTemplateBadSpecifier},
      {u"%%y", kNameTemplateOk},           {u"abc%", kNameTemplateOk},          {u"%q/", kNameTemplateBadCharacter},
      {u"%q%y", kNameTemplateBadSpecifier}, {u"%Y%m%d%H%h%I%i%S%s%L%l", kNameTemplateOk}, {u"y%", kNameTemplateOk}};
  for (const auto& [text, check] : cases) EXPECT_EQ(ValidateNameTemplate(text), check) << ToUtf8(text);
  for (char16_t forbidden : std::u16string(u"\\/?:*\"><|")) {
    EXPECT_EQ(ValidateNameTemplate(std::u16string(u"a") + forbidden), kNameTemplateBadCharacter);
  }
  // A missing folder is told whatever the name, the name's problem beside it.
  const std::tuple<bool, int, std::u16string> lines[] = {
      {true, kNameTemplateOk, u""},
      {false, kNameTemplateOk, u"存在しないディレクトリです"},
      {true, kNameTemplateBadCharacter, u"使用できない文字が含まれています"},
      {true, kNameTemplateBadSpecifier, u"文字指定が異常です"},
      {false, kNameTemplateBadSpecifier, u"存在しないディレクトリです　文字指定が異常です"}};
  for (const auto& [folderExists, check, line] : lines) EXPECT_EQ(ExportStatusText(folderExists, check), line);
  SetLanguage(Language::English);
  EXPECT_EQ(ExportStatusText(false, kNameTemplateBadSpecifier),
            u"This folder does not exist. The name contains an unknown % code.");
  SetLanguage(Language::Japanese);
}

// A threshold from the file that the list does not offer is shown as its own entry and kept.
TEST(AwaySettings, OfferedThresholdsAndTheStoredOneRoundTrip) {
  const std::pair<uint32_t, const char*> cases[] = {
      {300, "しない 1分 2分 3分 5分 10分 15分 30分 60分 |4"}, {0, "しない 1分 2分 3分 5分 10分 15分 30分 60分 |0"},
      {3600, "しない 1分 2分 3分 5分 10分 15分 30分 60分 |8"},
      {15, "しない 1分 2分 3分 5分 10分 15分 30分 60分 15秒 |9"},
      {240, "しない 1分 2分 3分 5分 10分 15分 30分 60分 4分 |9"}};
  for (const auto& [stored, shown] : cases) {
    const std::vector<AwayChoice> choices = AwayChoices(stored);
    std::string text;
    for (const AwayChoice& choice : choices) text += ToUtf8(choice.text) + " ";
    const int selected = AwaySelection(choices, stored);
    EXPECT_EQ(text + "|" + std::to_string(selected), shown);
    EXPECT_EQ(SelectedAwaySeconds(choices, selected, stored), stored);
    EXPECT_EQ(SelectedAwaySeconds(choices, 5, stored), 600u);
    for (int none : {-1, static_cast<int>(choices.size())}) EXPECT_EQ(SelectedAwaySeconds(choices, none, stored), stored);
  }
}

TEST(TemplateSample, DefaultTemplatesOnTheSampleRecordAndEntry) {
  StringPool pool;
  const std::pair<TemplateSlot, std::u16string> lines[] = {
      {kListTextTemplate, u"[1:02:03.456](1:02.345) \"DummyTitle\" - \"none\""},
      {kListCsvTemplate, u"01:02:03.456,62345,\"DummyTitle\",\"none\""},
      {kUsageTextTemplate, u"[9.99%] 0:02:03.456sec (ave0:0:1.3sec) \"none\" [123]"},
      {kUsageCsvTemplate, u"9.99,123456,1003,\"none\",123"}};
  for (const auto& [slot, line] : lines) EXPECT_EQ(TemplateTestLine(slot, kDefaultLineTemplates[slot], pool), line);
  EXPECT_EQ(TemplateTestLine(kListTextTemplate, u"", pool), u"");
  StringPool::Acquire(pool.Slot(0), u"C:\\a.exe", UserColorRules);
  EXPECT_EQ(TemplateTestLine(kUsageCsvTemplate, u"%x", pool), u"C:\\a.exe");
}

// The row keys in order; each row's position is its index.
std::vector<int32_t> KeysOf(const std::vector<ColorEntry>& rows) {
  std::vector<int32_t> keys;
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].position, static_cast<int32_t>(i));
    keys.push_back(rows[i].key);
  }
  return keys;
}
using Keys = std::vector<int32_t>;

TEST(ColorList, RowsTextsAndOrdersPerMode) {
  ColorRules rules;
  StringPool pool;
  EXPECT_EQ(KeysOf(ColorRowsOf(rules)), (Keys{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(ColorValueText(rules.ColorOf(0)) + ColorValueText(0x00123456) + ColorKeyText(rules, pool, 7), u"D0FFFF5634127");
  std::vector<ColorEntry> rows = ColorRowsOf(rules);
  SortColorRows(rows, kColorKeyColumn, false, rules, pool);
  EXPECT_EQ(KeysOf(rows), (Keys{7, 6, 5, 4, 3, 2, 1, 0}));
  rules.mode = ColorMode::PerHour;
  EXPECT_EQ(KeysOf(ColorRowsOf(rules)), (Keys{0, 1}));
  rules.mode = ColorMode::NoColor;
  EXPECT_TRUE(ColorRowsOf(rules).empty());
  rules.mode = ColorMode::PerApplication;
  const int32_t b = pool.Intern(u"C:\\b.exe", UserColorRules), a = pool.Intern(u"C:\\a.exe", UserColorRules);
  rules.appColors = {{a, 0x30}, {b, 0x10}, {-9, 0x20}};  // -9 has no path
  Keys ascending = {a, b, -9};
  std::sort(ascending.begin(), ascending.end());
  EXPECT_EQ(KeysOf(rows = ColorRowsOf(rules)), ascending);
  EXPECT_EQ(ColorKeyText(rules, pool, a) + ColorKeyText(rules, pool, -9), u"C:\\a.exe");
  const std::tuple<int, bool, Keys> sorts[] = {{kColorKeyColumn, true, {-9, a, b}},
                                               {kColorKeyColumn, false, {b, a, -9}},
                                               {kColorValueColumn, true, {b, -9, a}}};
  for (const auto& [column, up, keys] : sorts) {
    SortColorRows(rows, column, up, rules, pool);
    EXPECT_EQ(KeysOf(rows), keys);
  }
  rules.appColors[b] = 0x80000000;  // colours compare as unsigned numbers
  SortColorRows(rows, kColorValueColumn, false, rules, pool);
  EXPECT_EQ(KeysOf(rows), (Keys{b, a, -9}));
  EXPECT_EQ(ColorHeaderText(0, 0, true) + ColorHeaderText(1, 1, false) + ColorHeaderText(1, 0, false), u"exec ▽color △color");
  // Many rows of one colour (more than a sort orders by insertion) must compare equal, or sorting
  // runs past them.
  for (int32_t key = 100; key < 140; ++key) rules.appColors[key] = 0x20;
  rows = ColorRowsOf(rules);
  for (bool up : {true, false}) SortColorRows(rows, kColorValueColumn, up, rules, pool);
  EXPECT_EQ(KeysOf(rows).size(), 43u);

  // Deleting palette rows removes exactly those colours.
  rules = ColorRules();
  RemoveColors(rules, pool, {2, 5});
  EXPECT_EQ(rules.genericColors, (std::vector<ColorRef>{DefaultPalette[0], DefaultPalette[1], DefaultPalette[3],
                                                        DefaultPalette[4], DefaultPalette[6], DefaultPalette[7]}));
}

TEST(ColorList, StoredPlacementAndColumnOrder) {
  // {flags, shown as, stored as}: minimised from maximised is stored maximised, minimised as restored.
  for (const auto& [flags, shown, stored] : {std::array<uint32_t, 3>{2, 2, 3}, {0, 6, 9}, {0, 1, 1}}) {
    const WindowPlacement placement = {44, flags, shown, {}, {}, {1, 2, 3, 4}};
    EXPECT_EQ(PlacementToStore(placement).showCmd, stored) << shown;
    EXPECT_EQ(PlacementToStore(placement).normalPosition.right, 3);
  }
  const int32_t orders[][2] = {{0, 1}, {1, 0}, {1, 1}, {0, 2}, {-1, 0}};
  const bool valid[] = {true, true, false, false, false};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(IsColumnOrder(orders[i], 2), valid[i]) << i;
}

using Rows = std::vector<uint32_t>;
using Texts = std::vector<std::u16string>;

TEST(UsageCells, CellTextsAndSortingTwiceReversesWithTheSelectionKept) {
  StringPool pool;
  const int32_t editor = pool.Intern(u"C:\\editor.exe", UserViewedDay);
  UsageTable table;
  table.entries = {{3'723'004, 2, editor}, {999, 1, 77}, {0, 0, 78}};
  table.grandTotal = 3'724'003;
  UsageIndexList index;
  index.Rebuild(table);
  const auto cells = [&](uint32_t row) {
    Texts texts;
    for (int32_t c = -1; c <= kUsageColumnCount; ++c) texts.push_back(UsageCellText(index, pool, row, c));
    return texts;
  };
  EXPECT_EQ(cells(0), (Texts{u"", u"99.97", u"1:02:03.004", u"0:31:01.502", u"C:\\editor.exe", u"2", u""}));
  EXPECT_EQ(cells(1), (Texts{u"", u" 0.02", u"0:00:00.999", u"0:00:00.999", u"", u"1", u""}));
  EXPECT_EQ(cells(2)[1 + kUsageAverage], u"");
  EXPECT_EQ(cells(3), (Texts(7)));
  table.grandTotal = 0;
  EXPECT_EQ(UsageCellText(index, pool, 0, kUsageRate), u"");
  EXPECT_EQ(UsageHeaderText(kUsageRate, kUsageRate, true) + UsageHeaderText(kUsageCount, kUsageCount, false) +
                UsageHeaderText(kUsageAverage, kUsageRate, true),
            u"rate ▽num △ave");
  EXPECT_EQ(UsageHeaderText(-1, 0, true) + UsageHeaderText(kUsageColumnCount, 0, true), u"");

  // Rows 0 and 2 show the totals 3,723,004 and 0.
  AppSettings settings = {};
  settings.usageSortDescending = 1;
  SortUsageRows(index, settings, pool, kUsageDuration);
  EXPECT_EQ(ClickUsageColumn(index, settings, pool, kUsageDuration, Rows{0, 2}), (Rows{2, 0}));
  EXPECT_EQ(settings.usageSortColumn, kUsageDuration);
  EXPECT_EQ(settings.usageSortDescending, 0);
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 0u);
  EXPECT_EQ(ClickUsageColumn(index, settings, pool, kUsageDuration, Rows{2, 0}), (Rows{0, 2}));
  EXPECT_EQ(index.EntryOfRow(0)->totalDuration, 3'723'004u);
}

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

// The keyboard hook sees the keys of every window of the program: the search window keeps only those
// it acted on as the active window. Escape in the main window closes it and still reaches the main
// window; a save dialog, message box or menu (no window of ours active) gets its keys untouched.
TEST(SearchKeys, OnlyTheActiveSearchWindowKeepsItsKeys) {
  using A = SearchKeyAction;
  using F = SearchFocus;
  constexpr uint32_t kEnter = kVirtualKeyReturn, kEscape = kVirtualKeyEscape, kA = 'A';
  enum Active { kSearch, kOwner, kOther };
  // {key, active window, focus, composing, action, swallowed}
  const std::tuple<uint32_t, Active, F, bool, A, bool> cases[] = {
      {kEscape, kSearch, F::Other, false, A::Close, true},
      {kEscape, kOwner, F::Other, false, A::Close, false},
      {kEscape, kOther, F::Other, false, A::None, false},
      {kEnter, kSearch, F::Other, false, A::SearchDown, true},
      {kEnter, kSearch, F::UpButton, false, A::SearchUp, true},
      {kEnter, kSearch, F::SelectButton, false, A::SelectAll, true},
      {kEnter, kSearch, F::ClearButton, false, A::ClearHistory, true},
      {kEnter, kSearch, F::CloseButton, false, A::Close, true},
      {kEnter, kOwner, F::Other, false, A::None, false},
      {kEnter, kOther, F::UpButton, false, A::None, false},
      {kA, kSearch, F::Other, false, A::None, false},
      // Enter or Escape that ends a composition in the combo box is the input method's.
      {kEnter, kSearch, F::Other, true, A::None, false},
      {kEscape, kSearch, F::Other, true, A::None, false},
  };
  for (const auto& [key, active, focus, composing, action, swallowed] : cases) {
    const SearchKeyDecision got = DecideSearchKey(key, {active == kSearch, active == kOwner, focus, composing});
    EXPECT_EQ(std::pair(got.action, got.swallow), std::pair(action, swallowed))
        << "key " << key << ", active " << active << ", focus " << int(focus) << ", composing " << composing;
  }
}

}  // namespace
}  // namespace qm
