// The settings file: the tagged record, the colour block (its edge cases: see the colour file tests)
// and the search history.
#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "core/fixed_string.h"
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
  app.colors.mode = ColorMode::PerApplication;
  app.pool.Intern(u"C:\\z.exe", UserCurrentDay);
  app.pool.Intern(u"C:\\a.exe", UserViewedDay);
  app.colors.AdoptPoolPaths(app.pool);
  app.colors.genericColors = {1, 2, 3};
  app.searchHistory.AddSearchText(u"a");
  app.searchHistory.AddSearchText(u"検索");  // the most recent
  ASSERT_TRUE(SaveSettingsFile(app));
  const std::string file = env.FileBytes(path), history = HistoryBytes(2, {u"検索", u"a"});
  EXPECT_EQ(file.substr(file.size() - history.size()), history);  // stored newest first

  AppState fresh(env);
  ASSERT_TRUE(LoadSettingsFile(fresh));
  EXPECT_EQ(std::memcmp(&fresh.settings, &app.settings, sizeof(AppSettings)), 0);
  EXPECT_EQ(fresh.colors.mode, ColorMode::PerApplication);
  EXPECT_EQ(fresh.colors.appColors, app.colors.appColors);
  EXPECT_EQ(fresh.colors.genericColors, app.colors.genericColors);
  EXPECT_EQ(fresh.pool.Find(StringKey(u"C:\\a.exe"))->users, UserColorRules);
  EXPECT_EQ(HistoryTexts(fresh.searchHistory), (Texts{u"a", u"検索"}));  // reversed on load
  auto loadsAs = [&](bool isNew) {
    AppState reader(env);
    EXPECT_EQ(LoadSettingsFile(reader), isNew);  // the old file has no history
    EXPECT_EQ(reader.colors.appColors.size(), isNew ? 2u : 0u);
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
      env.PutFile(path, tag + RecordPrefix(pattern, length) + (whole ? behind : ""));
      EXPECT_EQ(LoadSettingsFile(fresh), whole);
      AppSettings expected;
      SettingsDefaults(expected, env);
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
  const struct {
    std::string block;
    Texts texts;  // most recent first
  } good[] = {
      {HistoryBytes(3, {u"a", u"", u"b"}), {u"a"}},  // an empty string ends the list
      {HistoryBytes(1, {u"a", u"b"}), {u"a"}},       // no more than the count
      // The last string runs to the end of the block without its terminator; the count asks for more.
      {HistoryBytes(5, 10, ByteBuilder().Utf16(u"ab").Utf16(u"cd", false).Text("zz")), {u"cd", u"ab"}},
      {HistoryBytes(1, kMaxHistoryBytes, ByteBuilder().Utf16(u"big").Zeros(kMaxHistoryBytes - 8)), {u"big"}},
  };
  for (const auto& [block, texts] : good) {
    app.searchHistory.ClearSearchHistory();
    ASSERT_TRUE(Load(head + block));
    EXPECT_EQ(HistoryTexts(app.searchHistory), texts);
  }
  // At most the capacity is taken, from the front of the block.
  app.searchHistory.ClearSearchHistory();
  ASSERT_TRUE(Load(head + HistoryBytes(70, static_cast<uint32_t>(many.size()), many)));
  EXPECT_EQ(app.searchHistory.Count(), 64u);
  EXPECT_EQ(app.searchHistory.Entries().front().Text(), u"s\u0080");  // u'A' + 63
  // A cut, mistagged, oversized or overlong block, or a colour block the reader refuses before it,
  // leaves the history as it was.
  app.searchHistory.ClearSearchHistory();
  app.searchHistory.AddSearchText(u"kept");
  ByteBuilder huge;
  huge.Zeros(kMaxHistoryBytes + 2);
  std::string badColors = ColorBlockOf(ColorRules());
  badColors[0] = 1;
  for (const std::string& damaged :
       {head + HistoryBytes(1, {u"x"}).substr(0, 11), head + "schX" + HistoryBytes(1, {u"x"}).substr(4),
        head + HistoryBytes(1, 0xFFFFFF00, ByteBuilder().Utf16(u"x")), head + HistoryBytes(1, 6, ByteBuilder().Utf16(u"x")),
        head + HistoryBytes(1, kMaxHistoryBytes + 2, huge), head.substr(0, head.size() - 60) + badColors + HistoryBytes(1, {u"x"})}) {
    EXPECT_FALSE(Load(damaged));
    EXPECT_EQ(HistoryTexts(app.searchHistory), Texts{u"kept"});
  }
}

}  // namespace
}  // namespace qm
