// The colour file: the colour block alone. The settings file embeds the same block, so its edge
// cases are checked here once.
#include "storage/color_file.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "storage/color_block.h"
#include "support/byte_builder.h"
#include "platform/utf.h"
#include "support/crash_safety.h"

namespace qm {
namespace {

using test::ByteBuilder;
using Colors = std::vector<ColorRef>;

std::string AppRecord(std::u16string_view path, ColorRef color) {
  return ByteBuilder().U32(static_cast<uint32_t>(2 * (path.size() + 1))).U32(color).Utf16(path).str();
}

// A block with `apps` as its per-application section (none when empty) and `generic` and `hour`
// colours behind it, announcing `genericCount` generic colours.
std::string Block(uint32_t version, ColorMode mode, uint32_t appCount, const std::string& apps, const Colors& generic,
                  const Colors& hour, uint32_t genericCount = UINT32_MAX) {
  ByteBuilder b;
  b.U32(version).U32(static_cast<uint32_t>(mode)).U32(appCount).U32(genericCount == UINT32_MAX ? uint32_t(generic.size()) : genericCount);
  b.U32(static_cast<uint32_t>(hour.size()));
  if (!apps.empty()) b.Section(apps);
  for (ColorRef c : generic) b.U32(c);
  for (ColorRef c : hour) b.U32(c);
  return b.str();
}

class ColorFileTest : public ::testing::Test {
 protected:
  ColorFileTest() { Reset(); }
  // A path shared with the current day and one held by the colours alone, both with colours.
  void Reset() {
    pool.ClearAll();
    rules = ColorRules();
    rules.mode = ColorMode::PerHour;
    shared = pool.Intern(u"C:\\shared.exe", UserCurrentDay);
    own = pool.Intern(u"C:\\own.exe", UserColorRules);
    rules.AdoptPoolPaths(pool);
    rules.appColors = {{own, 1}, {shared, 2}};
  }
  bool Load(const std::string& bytes) {
    env.PutFile(path, bytes);
    return LoadColorFile(env, path, rules, pool);
  }
  test::FakeEnv env;
  StringPool pool;
  ColorRules rules;
  int32_t shared = 0, own = 0;
  const std::u16string path = u"/app/scheme.color";
};

// The header (version, mode, counts), a section (packed length, raw length, stream) of byte size,
// colour and path of each application in signed key order, then the palettes.
TEST_F(ColorFileTest, DefaultRulesMakeThe60ByteFileAndApplicationsComeInSignedKeyOrder) {
  const Colors generic(DefaultPalette.begin(), DefaultPalette.begin() + 8), hour{0xFFFFFF, 0xEFFFEF};
  ASSERT_TRUE(SaveColorFile(env, path, ColorRules(), StringPool()));
  EXPECT_EQ(env.FileBytes(path), Block(200, ColorMode::Generic, 0, "", generic, hour));
  EXPECT_FALSE(SaveColorFile(env, u"", rules, pool) || LoadColorFile(env, u"", rules, pool) ||
               LoadColorFile(env, u"/app/missing.color", rules, pool));

  rules.appColors[12345] = 0x777777;  // no path in the pool: left out
  rules.mode = ColorMode::PerApplication;
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));
  const std::map<int32_t, std::string> records = {{own, AppRecord(u"C:\\own.exe", 1)}, {shared, AppRecord(u"C:\\shared.exe", 2)}};
  EXPECT_EQ(env.FileBytes(path), Block(200, ColorMode::PerApplication, 2, records.begin()->second + records.rbegin()->second,
                                       generic, hour));
  StringPool otherPool;
  ColorRules loaded;
  ASSERT_TRUE(LoadColorFile(env, path, loaded, otherPool));
  rules.appColors.erase(12345);
  EXPECT_EQ(loaded.appColors, rules.appColors);
  EXPECT_EQ(loaded.mode, ColorMode::PerApplication);
  EXPECT_EQ(otherPool.Find(own)->Text(), u"C:\\own.exe");
}

// Each block read over the rules of the fixture: whether it loads, and the rules after it as text:
// the mode, the application colours by path, each palette (its size when long), the paths held.
TEST_F(ColorFileTest, BlocksAreTakenWithinTheirCountsAndTheFilesBytes) {
  auto digest = [&] {
    std::ostringstream o;
    o << std::hex << static_cast<int>(rules.mode);
    for (const auto& [key, color] : rules.appColors) o << ' ' << ToUtf8(pool.Find(key)->Text()) << '=' << color;
    for (const Colors* palette : {&rules.genericColors, &rules.hourColors}) {
      o << " |";
      if (palette->size() > 3) o << ' ' << std::dec << palette->size() << std::hex;
      for (size_t i = 0; i < palette->size() && palette->size() <= 3; ++i) o << ' ' << (*palette)[i];
    }
    return o.str() + (pool.Find(own) ? " own" : "") + (pool.Find(shared)->users & UserColorRules ? " shared" : "");
  };
  const std::string apps = AppRecord(u"C:\\n", 10) + AppRecord(u"C:\\shared.exe", 20) + AppRecord(u"C:\\n", 30);
  const std::string packed = test::Deflate(AppRecord(u"C:\\a.exe", 1));
  const auto packedLength = static_cast<uint32_t>(packed.size());
  const Colors many(kMaxPaletteColors, 3);
  const std::string kept = " C:\\own.exe=1 C:\\shared.exe=2 | 8 | ffffff efffef own shared";
  const std::pair<std::string, std::string> cases[] = {
      // Another version changes nothing.
      {Block(201, ColorMode::NoColor, 0, "", {1}, {2}), "-2" + kept},
      // Without applications the current ones stay; a palette of no colours keeps the old one.
      {Block(200, ColorMode::PerApplication, 0, "", {}, {7, 8}), "0 C:\\own.exe=1 C:\\shared.exe=2 | 8 | 7 8 own shared"},
      // The records replace the old ones, a later one of a key wins; one running past the data ends the walk.
      {Block(200, ColorMode::NoColor, 5, apps + ByteBuilder().U32(1000).U32(2).Utf16(u"C:\\b").str(), {4}, {}),
       "3 C:\\n=1e C:\\shared.exe=14 | 4 | ffffff efffef shared"},
      // No more records than counted; a record of an empty path right at the end counts.
      {Block(200, ColorMode::NoColor, 1, apps, {}, {5}), "3 C:\\n=a | 8 | 5"},
      {Block(200, ColorMode::NoColor, 2, AppRecord(u"C:\\n", 5) + ByteBuilder().U32(0).U32(6).str(), {1}, {2}),
       "3 =6 C:\\n=5 | 1 | 2"},
      // A damaged section leaves no application colours: the old ones went before it was judged.
      {Block(200, ColorMode::NoColor, 1, "", {}, {}) + ByteBuilder().U32(packedLength).U32(19).Append(packed).str(),
       "-3 | 8 | ffffff efffef"},
      {Block(200, ColorMode::NoColor, 1, "", {}, {}) + ByteBuilder().U32(0).U32(26).Append(packed).str(),
       "-3 | 8 | ffffff efffef"},
      // A palette the file does not hold in full, or beyond the most colours, keeps the old one.
      {Block(200, ColorMode::NoColor, 0, "", {1, 2}, {}, 3), "-3" + kept},
      {Block(200, ColorMode::NoColor, 0, "", many, {5}, kMaxPaletteColors + 1), "-3" + kept},
      {Block(200, ColorMode::NoColor, 0, "", many, {5}), "3 C:\\own.exe=1 C:\\shared.exe=2 | 1048576 | 5 own shared"},
  };
  for (const auto& [bytes, expected] : cases) {
    Reset();
    const bool loaded = Load(bytes);
    EXPECT_EQ((loaded ? "" : "-") + digest(), expected);
  }
}

TEST_F(ColorFileTest, FailingOrKilledSaveLeavesTheOldOrTheNewFile) {
  ASSERT_TRUE(SaveColorFile(env, path, ColorRules(), pool));
  const std::string before = env.FileBytes(path);
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));
  test::ExpectOldOrNewUnderEveryFault(env, {{path, before, env.FileBytes(path), {}}},
                                      [&] { return SaveColorFile(env, path, rules, pool); });
}

}  // namespace
}  // namespace qm
