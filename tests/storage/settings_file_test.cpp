// The settings file (the tagged record, the colour block, the search history) and the colour file,
// the colour block alone: the block's edge cases are checked once, on the colour file.
#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "storage/color_file.h"
#include "support/byte_builder.h"
#include "support/crash_safety.h"

namespace qm {
namespace {

using test::ByteBuilder;
using test::U32At;
using Texts = std::vector<std::u16string>;

std::u16string TextAt(const std::string& bytes, size_t offset) {
  std::u16string text;
  for (char16_t c; std::memcpy(&c, bytes.data() + offset + 2 * text.size(), 2), c != 0;) text.push_back(c);
  return text;
}

std::string RecordPrefix(const AppSettings& s, size_t length) { return std::string(reinterpret_cast<const char*>(&s), length); }

// The colour block of `rules`, as the colour file holds it.
std::string ColorBlockOf(const ColorRules& rules) {
  test::FakeEnv env;
  EXPECT_TRUE(SaveColorFile(env, u"/app/c", rules, StringPool()));
  return env.FileBytes(u"/app/c");
}

std::string HistoryBytes(uint32_t count, uint32_t length, const ByteBuilder& strings) {
  return ByteBuilder().Text("schd").U32(count).U32(length).Append(strings.str()).str();
}

std::string HistoryBytes(uint32_t count, std::initializer_list<std::u16string_view> texts) {
  ByteBuilder strings;
  for (auto text : texts) strings.Utf16(text);
  return HistoryBytes(count, static_cast<uint32_t>(strings.size()), strings);
}

Texts HistoryTexts(const SearchHistory& history) {
  Texts texts;
  for (const auto& entry : history.Entries()) texts.emplace_back(entry.Text());
  return texts;
}

// A record in which every byte differs from its neighbours, strings unterminated.
AppSettings Pattern() {
  AppSettings s;
  auto* bytes = reinterpret_cast<uint8_t*>(&s);
  for (size_t i = 0; i < sizeof s; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + 3);
  return s;
}

class SettingsFileTest : public ::testing::Test {
 protected:
  bool Load(const std::string& bytes) {
    env.PutFile(path, bytes);
    return LoadSettingsFile(app);
  }
  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/config";
};

TEST_F(SettingsFileTest, DefaultFileHoldsTaggedRecordThenColourBlockAndNoHistory) {
  EXPECT_FALSE(LoadSettingsFile(app));  // no file yet: the defaults stay
  env.executablePath = u"/missing/quillmere";
  EXPECT_FALSE(SaveSettingsFile(app));  // its folder is gone
  env.executablePath = u"/app/quillmere";
  EXPECT_FALSE(SaveSettingsFile(app));  // the history is empty, but the file is saved
  const std::string file = env.FileBytes(path);
  ASSERT_EQ(file.size(), 4u + 12376 + 60);
  EXPECT_EQ(file.substr(0, 4), "cfgi");
  const size_t r = 4;  // the record's offsets start here
  const std::pair<size_t, uint32_t> words[] = {{0, 100},   {4, 100},   {64, 60},           {76, 200},  {92, 3},
                                               {160, 300}, {240, 320}, {256 + 60, 0xFFFFB0}, {8120, 0}, {12372, 0}};
  for (const auto& [offset, value] : words) EXPECT_EQ(U32At(file, r + offset), value) << offset;
  for (size_t i = 0; i < 16; ++i) EXPECT_EQ(U32At(file, r + 256 + 4 * i), DefaultPalette[i]) << i;
  const std::pair<size_t, std::u16string_view> texts[] = {
      {320, u"/app/log/"}, {5520, u"/app"}, {8172, u"/app/log/"}, {9220, u"/app/log/"}, {10260, u"%y%M%D"},
      {10780, u"%y%M%Dapp"}, {11300, u"[%h:%M:%S.%L](%n:%E.%C) \"%t\" - \"%x\""}, {11556, u"%H:%M:%S.%L,%d,\"%t\",\"%x\""},
      {11812, u"[%r%%] %h:%M:%S.%Lsec (ave%o:%n:%e.%csec) \"%x\" [%u]"}, {12068, u"%r,%d,%a,\"%x\",%u"}};
  for (const auto& [offset, text] : texts) EXPECT_EQ(TextAt(file, r + offset), text) << offset;
  for (const auto& [offset, value] : {std::pair<size_t, char>{16, 1}, {8168, 1}, {8169, 0}, {9212, 0}, {9216, 1}}) {
    EXPECT_EQ(file[r + offset], value) << offset;
  }
  EXPECT_EQ(file.substr(r + 2920, 2600), std::string(2600, '\0'));
  EXPECT_EQ(file.substr(r + 12368, 4), std::string("\0\0\0\x01", 4));
  EXPECT_EQ(file.substr(r + 12376), ColorBlockOf(ColorRules()));
}

// Also when the save fails or is killed at any point: the old file or the complete new one.
TEST_F(SettingsFileTest, EverythingSurvivesARoundTripAndEveryFault) {
  SaveSettingsFile(app);
  const std::string before = env.FileBytes(path);
  const AppSettings pattern = Pattern();
  std::memcpy(&app.settings, &pattern, sizeof pattern);
  TerminateStringFields(app.settings);
  app.pool.Intern(u"C:\\z.exe", UserCurrentDay);
  app.pool.Intern(u"C:\\a.exe", UserViewedDay);
  app.colors.AdoptPoolPaths(app.pool);
  app.searchHistory.AddSearchText(u"a");
  app.searchHistory.AddSearchText(u"検索");  // the most recent
  ASSERT_TRUE(SaveSettingsFile(app));
  const std::string file = env.FileBytes(path), history = HistoryBytes(2, {u"検索", u"a"});
  EXPECT_EQ(file.substr(file.size() - history.size()), history);  // stored newest first
  auto loadsAs = [&](bool isNew) {
    AppState reader(env);
    EXPECT_EQ(LoadSettingsFile(reader), isNew);  // the old file has no history
    EXPECT_EQ(std::memcmp(&reader.settings, &app.settings, sizeof(AppSettings)) == 0, isNew);
    EXPECT_EQ(reader.colors.appColors.size(), isNew ? 2u : 0u);
    EXPECT_EQ(HistoryTexts(reader.searchHistory), (isNew ? Texts{u"検索", u"a"} : Texts{}));  // the same order
  };
  test::ExpectOldOrNewUnderEveryFault(env, {{path, before, file, loadsAs}}, [&] { return SaveSettingsFile(app); });
}

// Each older layout fills exactly its prefix of the record; every later field keeps its default, and
// the colour and history blocks are found right behind the shorter record. A record one byte short
// replaces only the bytes that arrived, and the load stops there.
TEST_F(SettingsFileTest, OlderLayoutsFillTheirPrefixAndTheRestKeepsDefaults) {
  const AppSettings pattern = Pattern();
  ColorRules colors;
  colors.mode = ColorMode::NoColor;
  const std::string behind = ColorBlockOf(colors) + HistoryBytes(1, {u"x"});
  const std::pair<std::string, size_t> layouts[] = {{"cfgi", 12376}, {"cfgh", 9220}, {"cfgg", 9216},
                                                    {"cfgf", 8172},  {"cfge", 8124}, {"", 8120}};  // "": untagged
  for (const auto& [tag, recordBytes] : layouts) {
    for (const size_t length : {recordBytes, recordBytes - 1}) {
      SCOPED_TRACE(tag + " " + std::to_string(length));
      const bool whole = length == recordBytes;
      AppState fresh(env);
      AppSettings expected = fresh.settings;  // the defaults
      env.PutFile(path, tag + RecordPrefix(pattern, length) + (whole ? behind : ""));
      EXPECT_EQ(LoadSettingsFile(fresh), whole);
      std::memcpy(&expected, &pattern, length);
      TerminateStringFields(expected);
      EXPECT_EQ(std::memcmp(&fresh.settings, &expected, sizeof expected), 0);
      EXPECT_EQ(fresh.colors.mode, whole ? ColorMode::NoColor : ColorMode::Generic);
      EXPECT_EQ(HistoryTexts(fresh.searchHistory), whole ? Texts{u"x"} : Texts{});
    }
  }
}

TEST_F(SettingsFileTest, UnterminatedStringsEndAtTheLastCodeUnitOfTheirArrays) {
  AppSettings s;
  std::fill_n(reinterpret_cast<char16_t*>(&s), sizeof s / 2, u'x');
  ASSERT_TRUE(Load("cfgi" + RecordPrefix(s, sizeof s) + ColorBlockOf(ColorRules()) + HistoryBytes(1, {u"a"})));
  const AppSettings& got = app.settings;
  std::vector<std::pair<const char16_t*, size_t>> fields = {
      {got.listExportFolder, kPathUnits}, {got.usageExportFolder, kPathUnits}, {got.listExportName, kFileNameUnits},
      {got.usageExportName, kFileNameUnits}, {got.listTextTemplate, kTemplateUnits}, {got.listCsvTemplate, kTemplateUnits},
      {got.usageTextTemplate, kTemplateUnits}, {got.usageCsvTemplate, kTemplateUnits}};
  for (const FileDialogState* d : {&got.logDialog, &got.exportDialog, &got.colorDialog}) {
    fields.insert(fields.end(), {{d->folder, kPathUnits}, {d->fileTitle, kFileNameUnits}, {d->fullPath, kPathUnits}});
  }
  for (size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(std::u16string_view(fields[i].first).size(), fields[i].second - 1) << i;
}

TEST_F(SettingsFileTest, HistoryBlockIsReadWithinItsLengthAndCapacityOrNotAtAll) {
  const std::string head = "cfgi" + RecordPrefix(app.settings, sizeof(AppSettings)) + ColorBlockOf(ColorRules());
  ByteBuilder many;
  for (int i = 0; i < 70; ++i) many.Utf16(u"s" + std::u16string(1, static_cast<char16_t>(u'A' + i)));
  const std::pair<std::string, Texts> good[] = {  // the texts most recent first
      {HistoryBytes(3, {u"a", u"", u"b"}), {u"a"}},  // an empty string ends the list
      {HistoryBytes(1, {u"a", u"b"}), {u"a"}},       // no more than the count
      // The last string runs to the end of the block without its terminator; the count asks for more.
      {HistoryBytes(5, 10, ByteBuilder().Utf16(u"ab").Utf16(u"cd", false).Text("zz")), {u"ab", u"cd"}},
      {HistoryBytes(1, kMaxHistoryBytes, ByteBuilder().Utf16(u"big").Zeros(kMaxHistoryBytes - 8)), {u"big"}},
  };
  for (const auto& [block, texts] : good) {
    app.searchHistory.ClearSearchHistory();
    ASSERT_TRUE(Load(head + block));
    EXPECT_EQ(HistoryTexts(app.searchHistory), texts);
  }
  // At most the capacity is taken, the most recent ones from the front of the block, in their order.
  app.searchHistory.ClearSearchHistory();
  ASSERT_TRUE(Load(head + HistoryBytes(70, static_cast<uint32_t>(many.size()), many)));
  EXPECT_EQ(app.searchHistory.Count(), 64u);
  EXPECT_EQ(app.searchHistory.Entries().front().Text(), u"sA");
  EXPECT_EQ(app.searchHistory.Entries().back().Text(), u"s\u0080");  // u'A' + 63
  // A cut, mistagged, oversized or overlong block, or a colour block the reader refuses before it,
  // leaves the history as it was.
  app.searchHistory.ClearSearchHistory();
  app.searchHistory.AddSearchText(u"kept");
  const ByteBuilder huge = ByteBuilder().Zeros(kMaxHistoryBytes + 2);
  const std::string badColors = "\x01" + ColorBlockOf(ColorRules()).substr(1);  // a version the reader refuses
  for (const std::string& damaged :
       {head + HistoryBytes(1, {u"x"}).substr(0, 11), head + "schX" + HistoryBytes(1, {u"x"}).substr(4),
        head + HistoryBytes(1, 0xFFFFFF00, ByteBuilder().Utf16(u"x")), head + HistoryBytes(1, 6, ByteBuilder().Utf16(u"x")),
        head + HistoryBytes(1, kMaxHistoryBytes + 2, huge), head.substr(0, head.size() - 60) + badColors + HistoryBytes(1, {u"x"})}) {
    EXPECT_FALSE(Load(damaged));
    EXPECT_EQ(HistoryTexts(app.searchHistory), Texts{u"kept"});
  }
}

// --- The colour file ---------------------------------------------------------------------------

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
  const std::string defaults = env.FileBytes(path);
  EXPECT_EQ(defaults, Block(200, ColorMode::Generic, 0, "", generic, hour));
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
  // A failing or killed save leaves the old or the complete new file.
  test::ExpectOldOrNewUnderEveryFault(env, {{path, defaults, env.FileBytes(path), {}}},
                                      [&] { return SaveColorFile(env, path, rules, pool); });
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

}  // namespace
}  // namespace qm
