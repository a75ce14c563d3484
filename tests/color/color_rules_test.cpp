#include "color/color_rules.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

namespace qm {
namespace {

using Colors = std::vector<ColorRef>;

ActivityRecord At(uint32_t hour, uint32_t minute, uint32_t exeKey = 3) {
  return {24, (hour * 60 + minute) * 60'000, 1000, exeKey};
}

// Palettes are indexed by the key as an unsigned number (4294967295 mod 8 = 7), per-application
// colours by the key itself; per hour, rows by their start hour and the timeline by executable key;
// any other mode paints white.
TEST(ColorRules, ColourOfAKeyOrRecordUnderEveryMode) {
  ColorRules rules;
  EXPECT_EQ(std::tuple(rules.ColorOf(10), rules.ColorOf(-1), rules.RecordColor(At(9, 0, 10))),
            std::tuple(0xD0FFD0u, 0xFFFFFFu, 0xD0FFD0u));
  rules.mode = ColorMode::PerHour;
  EXPECT_EQ(std::tuple(rules.RecordColor({24, 10 * kMillisecondsPerHour - 1, 0, 0}), rules.RecordColor(At(10, 0)),
                       rules.RecordColorKey(At(23, 30, 8)), rules.ColorOf(-2)),
            std::tuple(0xEFFFEFu, 0xFFFFFFu, 23, 0xFFFFFFu));
  rules.mode = ColorMode::PerApplication;
  rules.appColors[-5] = 0x123456;
  EXPECT_EQ(std::tuple(rules.ColorOf(-5), rules.ColorOf(5), rules.RecordColor(At(1, 0, static_cast<uint32_t>(-5))),
                       rules.RecordColorKey(At(1, 0, 8))),
            std::tuple(0x123456u, kWhite, 0x123456u, 8));
  for (ColorMode other : {ColorMode::NoColor, static_cast<ColorMode>(7)}) {
    rules.mode = other;
    EXPECT_EQ(rules.ColorOf(-5), kWhite);
  }
}

TEST(ColorRules, SetAddAndRemoveChangeOnlyWhatExists) {
  StringPool pool;
  ColorRules rules;
  rules.SetColor(-1, 0x010203);  // slot 7 of eight
  EXPECT_TRUE(rules.RemoveColor(5, pool));
  EXPECT_TRUE(rules.RemoveColor(2, pool));
  EXPECT_FALSE(rules.RemoveColor(6, pool) || rules.RemoveColor(-1, pool));
  EXPECT_EQ(rules.genericColors, (Colors{DefaultPalette[0], DefaultPalette[1], DefaultPalette[3], DefaultPalette[4],
                                         DefaultPalette[6], 0x010203}));
  rules.mode = ColorMode::PerHour;
  rules.SetColor(13, 0x0A0B0C);
  rules.AddColor(0x0D);
  EXPECT_EQ(rules.hourColors, (Colors{0xFFFFFF, 0x0A0B0C, 0x0D}));
  EXPECT_TRUE(rules.RemoveColor(0, pool));
  rules.hourColors.clear();  // an empty palette takes no colour and paints white
  rules.SetColor(3, 0x111111);
  EXPECT_TRUE(rules.hourColors.empty());
  EXPECT_EQ(rules.ColorOf(3), kWhite);
  rules.mode = ColorMode::PerApplication;
  rules.SetColor(42, 0x111111);  // makes no entry
  rules.AddColor(0x0E);          // nor does this
  EXPECT_TRUE(rules.appColors.empty());
  rules.appColors[42] = 0;
  rules.SetColor(42, 0x111111);
  EXPECT_EQ(rules.appColors[42], 0x111111u);
  rules.mode = ColorMode::NoColor;
  rules.SetColor(42, 0x222222);
  rules.AddColor(0x0F);
  EXPECT_FALSE(rules.RemoveColor(0, pool));
  EXPECT_EQ(rules.appColors[42], 0x111111u);
  EXPECT_EQ(rules.genericColors.size() + rules.hourColors.size(), 6u);
}

// A path the colour rules share with a day survives the release of either user; reset lets go of
// the rules' own paths only.
TEST(ColorRules, PathsSharedWithTheDaysSurviveEitherRelease) {
  StringPool pool;
  const int32_t day = pool.Intern(u"C:\\day.exe", UserCurrentDay);
  const int32_t viewed = pool.Intern(u"C:\\viewed.exe", UserViewedDay);
  ColorRules rules;
  rules.mode = ColorMode::PerApplication;
  rules.AdoptPoolPaths(pool);
  pool.Release(UserCurrentDay);
  ASSERT_NE(pool.Find(day), nullptr);  // the colour rules still hold it
  EXPECT_TRUE(rules.RemoveColor(day, pool));
  EXPECT_EQ(pool.Find(day), nullptr);
  EXPECT_FALSE(rules.RemoveColor(day, pool));
  EXPECT_TRUE(rules.RemoveColor(viewed, pool));
  EXPECT_EQ(pool.Find(viewed)->users, UserViewedDay);  // the viewed day still holds it

  const int32_t own = pool.Intern(u"C:\\own.exe", UserColorRules);
  rules.AdoptPoolPaths(pool);
  rules.genericColors = {1};
  rules.hourColors.clear();
  rules.ResetColors(pool);
  EXPECT_EQ(rules.mode, ColorMode::PerApplication);
  EXPECT_TRUE(rules.appColors.empty());
  EXPECT_EQ(rules.genericColors, ColorRules().genericColors);
  EXPECT_EQ(rules.hourColors, ColorRules().hourColors);
  EXPECT_EQ(pool.Find(own), nullptr);
  EXPECT_EQ(pool.Find(viewed)->users, UserViewedDay);
}

TEST(ChangeRecordColors, SelectedRowsTakeTheChosenColourStartingFromTheFirstRowsColour) {
  ColorRules rules;
  Colors initials;
  auto chooser = [&](bool confirm, ColorRef answer) -> ColorChooser {
    return [&, confirm, answer](ColorRef initial, ColorRef* chosen) {
      initials.push_back(initial);
      *chosen = answer;
      return confirm;
    };
  };
  const ActivityRecord rows[] = {At(1, 0, 10), At(6, 0, 3)};  // keys 10 and 3; hour slots 1 and 2 of 4
  EXPECT_FALSE(ChangeRecordColors(rules, {}, chooser(true, 0)));  // no selection: no chooser either
  EXPECT_FALSE(ChangeRecordColors(rules, rows, chooser(false, 0)));
  EXPECT_EQ(rules.genericColors, ColorRules().genericColors);
  EXPECT_TRUE(ChangeRecordColors(rules, rows, chooser(true, 0x010101)));
  EXPECT_EQ(initials, (Colors{0xD0FFD0, 0xD0FFD0}));
  EXPECT_EQ(rules.genericColors[2] + rules.genericColors[3], 0x020202u);
  rules.mode = ColorMode::PerHour;
  rules.hourColors = {0, 0, 0, 0};
  EXPECT_TRUE(ChangeRecordColors(rules, rows, chooser(true, 0x445566)));
  EXPECT_EQ(rules.hourColors, (Colors{0, 0x445566, 0x445566, 0}));
}

}  // namespace
}  // namespace qm
