// The portable logic of the settings, output-string and colour settings windows.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/utf.h"
#include "support/fake_env.h"
#include "ui/color_list.h"
#include "ui/config_choices.h"
#include "ui/list_texts.h"
#include "ui/template_sample.h"

namespace qm {
namespace {

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
  EXPECT_EQ(std::u16string(kSettingsChoiceLists[2].entries[4].text), u"半日おき");
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

TEST(ConfigChoices, NameTemplateCheck) {
  const std::pair<std::u16string, int> cases[] = {
      {u"log_%y-%M-%D", kNameTemplateOk},   {u"a/b", kNameTemplateBadCharacter}, {u"%q", kNameTemplateBadSpecifier},
      {u"%%y", kNameTemplateOk},           {u"abc%", kNameTemplateOk},          {u"%q/", kNameTemplateBadCharacter},
      {u"%q%y", kNameTemplateBadSpecifier}, {u"%Y%m%d%H%h%I%i%S%s%L%l", kNameTemplateOk}, {u"y%", kNameTemplateOk}};
  for (const auto& [text, check] : cases) EXPECT_EQ(ValidateNameTemplate(text), check) << ToUtf8(text);
  for (char16_t forbidden : std::u16string(u"\\/?:*\"><|")) {
    EXPECT_EQ(ValidateNameTemplate(std::u16string(u"a") + forbidden), kNameTemplateBadCharacter);
  }
  EXPECT_EQ(std::u16string(NameTemplateStatus(kNameTemplateOk)) + NameTemplateStatus(kNameTemplateBadCharacter) +
                NameTemplateStatus(kNameTemplateBadSpecifier),
            u"使用できない文字が含まれています文字指定が異常です");
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

}  // namespace
}  // namespace qm
