#include "storage/color_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;

class ColorFileTest : public ::testing::Test {
 protected:
  test::FakeEnv env;
  StringPool pool;
  ColorRules rules;
  const std::u16string path = u"/app/scheme.color";
};

TEST_F(ColorFileTest, DefaultRulesMakeThe60ByteFileWhichLoadsOverApplicationColours) {
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));
  ByteBuilder expected;
  expected.U32(200).U32(1).U32(0).U32(8).U32(2);
  for (size_t i = 0; i < 8; ++i) expected.U32(DefaultPalette[i]);
  expected.U32(0xFFFFFF).U32(0xEFFFEF);
  ASSERT_EQ(expected.size(), 60u);
  EXPECT_EQ(env.FileBytes(path), expected.str());

  // Without application entries in the file the current ones stay; mode and palettes come from it.
  pool.Intern(u"C:\\a.exe", UserCurrentDay);
  rules.AdoptPoolPaths(pool);
  rules.mode = ColorMode::PerApplication;
  rules.genericColors = {1};
  ASSERT_TRUE(LoadColorFile(env, path, rules, pool));
  EXPECT_EQ(rules.mode, ColorMode::Generic);
  EXPECT_EQ(rules.appColors.size(), 1u);
  EXPECT_EQ(rules.genericColors, ColorRules().genericColors);

  EXPECT_FALSE(SaveColorFile(env, u"", rules, pool));
  EXPECT_FALSE(LoadColorFile(env, u"", rules, pool));
  EXPECT_FALSE(LoadColorFile(env, u"/app/missing.color", rules, pool));
}

TEST_F(ColorFileTest, ApplicationEntriesAreStoredInSignedKeyOrderAndComeBack) {
  const std::u16string paths[] = {u"C:\\zz.exe", u"C:\\b.exe", u"C:\\a.exe"};  // keys > 0, < 0, < 0
  for (const auto& p : paths) pool.Intern(p, UserViewedDay);
  rules.AdoptPoolPaths(pool);
  rules.appColors[12345] = 0x777777;  // no path in the pool: left out
  rules.mode = ColorMode::PerApplication;
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));

  // Behind the 20-byte header a section (packed length, raw length, stream) of byte size, colour, path.
  const std::string bytes = env.FileBytes(path);
  EXPECT_EQ(test::U32At(bytes, 8), 3u);
  const std::string records = test::Inflate(bytes.substr(28, test::U32At(bytes, 20)), test::U32At(bytes, 24));
  std::vector<int32_t> keys;
  for (size_t offset = 0; offset + 8 < records.size(); offset += 8 + test::U32At(records, offset)) {
    const auto* text = reinterpret_cast<const char16_t*>(records.data() + offset + 8);
    keys.push_back(StringKey(std::u16string_view(text, test::U32At(records, offset) / 2 - 1)));
  }
  EXPECT_EQ(keys, (std::vector<int32_t>{StringKey(u"C:\\a.exe"), StringKey(u"C:\\b.exe"), StringKey(u"C:\\zz.exe")}));

  StringPool otherPool;
  ColorRules loaded;
  ASSERT_TRUE(LoadColorFile(env, path, loaded, otherPool));
  rules.appColors.erase(12345);
  EXPECT_EQ(loaded.appColors, rules.appColors);
  EXPECT_EQ(loaded.mode, ColorMode::PerApplication);
  for (const auto& p : paths) EXPECT_EQ(otherPool.Find(StringKey(p))->Text(), p);
}

TEST(ColorFileName, ExtensionFromTheLastDotInAnyCase) {
  for (const char16_t* name : {u"C:\\x\\a.COLOR", u"b.color", u".Color"}) EXPECT_TRUE(IsColorFileName(name));
  for (const char16_t* name : {u"a.color.bin2", u"a.colors", u"color"}) EXPECT_FALSE(IsColorFileName(name));
}

// The drop rule, with loaders that succeed for the names listed as good and log every call.
TEST(DroppedFiles, FirstColourFileThatLoadsAndFirstDayLogThatOpens) {
  using Names = std::vector<std::u16string>;
  struct Case {
    Names good, dropped, calls;
    bool colorLoaded, logShown;
  };
  const Case cases[] = {
      // A colour name after a successful load goes to the day-log opening, which refuses it.
      {{u"a.COLOR"}, {u"a.COLOR", u"b.color"}, {u"col:a.COLOR", u"log:b.color"}, true, false},
      {{u"b.color"}, {u"a.color", u"b.color"}, {u"col:a.color", u"col:b.color"}, true, false},
      {{u"s.color", u"1.bin2", u"2.bin2"}, {u"s.color", u"1.bin2", u"2.bin2", u"t.color"},
       {u"col:s.color", u"log:1.bin2"}, true, true},
      {{}, {u"notes.txt", u"1.bin2"}, {u"log:notes.txt", u"log:1.bin2"}, false, false},
      {{}, {}, {}, false, false},
  };
  for (const Case& c : cases) {
    Names calls;
    auto tryWith = [&](const char16_t* kind) {
      return [&, kind](const std::u16string& name) {
        calls.push_back(kind + name);
        return std::find(c.good.begin(), c.good.end(), name) != c.good.end();
      };
    };
    const OpenedFiles opened = OpenDroppedFiles(c.dropped, tryWith(u"col:"), tryWith(u"log:"));
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(opened.colorLoaded, c.colorLoaded);
    EXPECT_EQ(opened.logShown, c.logShown);
  }
}

}  // namespace
}  // namespace qm
