#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/fixed_string.h"
#include "output/output_state.h"
#include "platform/utf.h"
#include "support/fake_env.h"
#include "ui/color_list.h"
#include "ui/config_choices.h"
#include "ui/list_texts.h"
#include "ui/template_sample.h"

namespace qm {
namespace {

enum { kCheck, kTimeline, kAutoSave, kDeleteAge };

TEST(ConfigChoices, StoredValuesMapToListEntriesAndBack) {
  test::FakeEnv env;
  AppSettings settings;
  SettingsDefaults(settings, env);
  settings.checkPeriodMs = 75;  // in no entry: "100ms" is selected, and closing stores its value
  settings.timelinePeriodMs = 250;
  settings.autoSave = 2;  // every twelve hours, the last entry although its code is 2
  settings.deleteAge = 7;
  const std::array<int, kChoiceListCount> opened = ChoiceSelections(settings);
  EXPECT_EQ(opened, (std::array<int, kChoiceListCount>{2, 3, 4, -1}));
  EXPECT_EQ(std::u16string(kSettingsChoiceLists[kAutoSave].entries[4].text), u"半日おき");
  StoreChoiceSelections(settings, opened);
  EXPECT_EQ(settings.checkPeriodMs, 100);
  EXPECT_EQ(settings.timelinePeriodMs, 250);
  EXPECT_EQ(settings.autoSave, 2);
  EXPECT_EQ(settings.deleteAge, -1);

  // The auto-save list is in the order of the interval, its codes are not.
  const int32_t codes[5] = {0, 1, 3, 4, 2};
  for (int index = 0; index < 5; ++index) {
    StoreChoiceSelections(settings, {5, 5, index, index});
    EXPECT_EQ(settings.autoSave, codes[index]);
    EXPECT_EQ(settings.deleteAge, index);
  }
  EXPECT_EQ(settings.checkPeriodMs, 500);
  EXPECT_EQ(settings.timelinePeriodMs, 1000);
  // No valid selection leaves a value list's setting as it was.
  StoreChoiceSelections(settings, {-1, 6, 5, 3});
  EXPECT_EQ(settings.checkPeriodMs, 500);
  EXPECT_EQ(settings.timelinePeriodMs, 1000);
}

TEST(ConfigChoices, NameTemplateCheck) {
  const struct {
    std::u16string text;
    int check;
  } cases[] = {
      {u"log_%y-%M-%D", kNameTemplateOk}, {u"a/b", kNameTemplateBadCharacter},
      {u"%q", kNameTemplateBadSpecifier}, {u"%%y", kNameTemplateOk},
      {u"abc%", kNameTemplateOk},         {u"%q/", kNameTemplateBadCharacter},
      {u"%q%y", kNameTemplateBadSpecifier}, {u"%Y%m%d%H%h%I%i%S%s%L%l", kNameTemplateOk},
      {u"y%", kNameTemplateOk},
  };
  for (const auto& c : cases) EXPECT_EQ(ValidateNameTemplate(c.text), c.check) << ToUtf8(c.text);
  for (char16_t forbidden : std::u16string(u"\\/?:*\"><|")) {
    EXPECT_EQ(ValidateNameTemplate(std::u16string(u"a") + forbidden), kNameTemplateBadCharacter);
  }
  EXPECT_EQ(std::u16string(NameTemplateStatus(kNameTemplateOk)), u"");
  EXPECT_EQ(std::u16string(NameTemplateStatus(kNameTemplateBadCharacter)), u"使用できない文字が含まれています");
  EXPECT_EQ(std::u16string(NameTemplateStatus(kNameTemplateBadSpecifier)), u"文字指定が異常です");
}

TEST(TemplateSample, DefaultTemplatesOnTheSampleRecordAndEntry) {
  StringPool pool;
  EXPECT_EQ(TemplateTestLine(kListTextTemplate, kDefaultLineTemplates[0], pool),
            u"[1:02:03.456](1:02.345) \"DummyTitle\" - \"none\"");
  EXPECT_EQ(TemplateTestLine(kListCsvTemplate, kDefaultLineTemplates[1], pool),
            u"01:02:03.456,62345,\"DummyTitle\",\"none\"");
  EXPECT_EQ(TemplateTestLine(kUsageTextTemplate, kDefaultLineTemplates[2], pool),
            u"[9.99%] 0:02:03.456sec (ave0:0:1.3sec) \"none\" [123]");
  EXPECT_EQ(TemplateTestLine(kUsageCsvTemplate, kDefaultLineTemplates[3], pool), u"9.99,123456,1003,\"none\",123");
  EXPECT_EQ(TemplateTestLine(kListTextTemplate, u"", pool), u"");
  StringPool::Acquire(pool.Slot(0), u"C:\\a.exe", UserColorRules);
  EXPECT_EQ(TemplateTestLine(kUsageCsvTemplate, u"%x", pool), u"C:\\a.exe");
}

TEST(TemplateSample, StoredTemplateIsCutToTheEditAndRecompiled) {
  test::FakeEnv env;
  OutputState app(env);
  SettingsDefaults(app.settings, env);
  StoreTemplate(app, kUsageCsvTemplate, std::u16string(200, u'x'));
  EXPECT_EQ(ArrayText(app.settings.usageCsvTemplate).size(), kTemplateEditUnits);
  EXPECT_EQ(ArrayText(app.settings.listTextTemplate), kDefaultLineTemplates[0]);
  StoreTemplate(app, kListCsvTemplate, u"%d!");
  EXPECT_EQ(ArrayText(app.settings.listCsvTemplate), u"%d!");
  ASSERT_EQ(app.templates[kListCsvTemplate].Tokens().size(), 3u);  // "", %d, "!"
  EXPECT_EQ(app.templates[kListCsvTemplate].Tokens()[1].kind, u'd');
}

std::vector<int32_t> KeysOf(const std::vector<ColorEntry>& rows) {
  std::vector<int32_t> keys;
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i].position, static_cast<int32_t>(i));
    keys.push_back(rows[i].key);
  }
  return keys;
}

TEST(ColorList, RowsAndTextsPerMode) {
  ColorRules rules;
  StringPool pool;
  std::vector<ColorEntry> rows = ColorRowsOf(rules);
  EXPECT_EQ(KeysOf(rows), (std::vector<int32_t>{0, 1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(ColorValueText(rules.ColorOf(0)), u"D0FFFF");
  EXPECT_EQ(ColorValueText(rules.ColorOf(7)), u"FFFFFF");
  EXPECT_EQ(ColorValueText(0x00EFFFEF), u"EFFFEF");
  EXPECT_EQ(ColorValueText(0x00123456), u"563412");
  EXPECT_EQ(ColorKeyText(rules, pool, 7), u"7");
  rules.mode = ColorMode::PerHour;
  EXPECT_EQ(KeysOf(ColorRowsOf(rules)), (std::vector<int32_t>{0, 1}));
  rules.mode = ColorMode::NoColor;
  EXPECT_TRUE(ColorRowsOf(rules).empty());
  rules.mode = ColorMode::PerApplication;
  const int32_t b = pool.Intern(u"C:\\b.exe", UserColorRules);
  const int32_t a = pool.Intern(u"C:\\a.exe", UserColorRules);
  rules.appColors = {{a, 0x30}, {b, 0x10}, {-9, 0x20}};  // -9 has no path
  std::vector<int32_t> ascending = {a, b, -9};
  std::sort(ascending.begin(), ascending.end());
  EXPECT_EQ(KeysOf(ColorRowsOf(rules)), ascending);
  EXPECT_EQ(ColorKeyText(rules, pool, a), u"C:\\a.exe");
  EXPECT_EQ(ColorKeyText(rules, pool, -9), u"");

  rows = ColorRowsOf(rules);
  SortColorRows(rows, kColorKeyColumn, true, rules, pool);
  EXPECT_EQ(KeysOf(rows), (std::vector<int32_t>{-9, a, b}));
  SortColorRows(rows, kColorKeyColumn, false, rules, pool);
  EXPECT_EQ(KeysOf(rows), (std::vector<int32_t>{b, a, -9}));
  SortColorRows(rows, kColorValueColumn, true, rules, pool);
  EXPECT_EQ(KeysOf(rows), (std::vector<int32_t>{b, -9, a}));
  rules.appColors[b] = 0x80000000;  // colours compare as unsigned numbers
  SortColorRows(rows, kColorValueColumn, false, rules, pool);
  EXPECT_EQ(KeysOf(rows), (std::vector<int32_t>{b, a, -9}));

  rules.mode = ColorMode::Generic;
  rows = ColorRowsOf(rules);
  SortColorRows(rows, kColorKeyColumn, false, rules, pool);
  EXPECT_EQ(KeysOf(rows), (std::vector<int32_t>{7, 6, 5, 4, 3, 2, 1, 0}));

  EXPECT_EQ(ColorHeaderText(0, 0, true), u"exec ▽");
  EXPECT_EQ(ColorHeaderText(1, 1, false), u"color △");
  EXPECT_EQ(ColorHeaderText(1, 0, false), u"color");
}

TEST(ColorList, DeletingSelectedPaletteRowsRemovesExactlyThoseColours) {
  ColorRules rules;
  StringPool pool;
  RemoveColors(rules, pool, {2, 5});
  EXPECT_EQ(rules.genericColors, (std::vector<ColorRef>{DefaultPalette[0], DefaultPalette[1], DefaultPalette[3],
                                                        DefaultPalette[4], DefaultPalette[6], DefaultPalette[7]}));
  EXPECT_EQ(KeysOf(ColorRowsOf(rules)), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
}

TEST(ColorList, StoredPlacementAndColumnOrder) {
  WindowPlacement placement = {44, 2, 2, {}, {}, {1, 2, 3, 4}};  // minimised from maximised
  EXPECT_EQ(PlacementToStore(placement).showCmd, 3u);
  placement.flags = 0;
  placement.showCmd = 6;
  EXPECT_EQ(PlacementToStore(placement).showCmd, 9u);
  placement.showCmd = 1;
  EXPECT_EQ(PlacementToStore(placement).showCmd, 1u);
  EXPECT_EQ(PlacementToStore(placement).normalPosition.right, 3);

  const int32_t orders[][2] = {{0, 1}, {1, 0}, {1, 1}, {0, 2}, {-1, 0}};
  const bool valid[] = {true, true, false, false, false};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(IsColumnOrder(orders[i], 2), valid[i]) << i;
}

}  // namespace
}  // namespace qm
