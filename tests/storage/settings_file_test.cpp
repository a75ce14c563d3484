#include "storage/settings_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;
using test::U32At;

std::u16string TextAt(const std::string& bytes, size_t offset) {
  std::u16string text;
  for (char16_t c; std::memcpy(&c, bytes.data() + offset + 2 * text.size(), 2), c != 0;) text.push_back(c);
  return text;
}

std::string RecordPrefix(const AppSettings& s, size_t length) { return std::string(reinterpret_cast<const char*>(&s), length); }

std::string AppRecord(std::u16string_view path, ColorRef color) {
  return ByteBuilder().U32(static_cast<uint32_t>(2 * (path.size() + 1))).U32(color).Utf16(path).str();
}

// A colour block; `apps` is the raw per-application data (a section is added when appCount > 0).
std::string ColorBlockBytes(uint32_t version, ColorMode mode, uint32_t appCount, const std::string& apps,
                            const std::vector<ColorRef>& generic, const std::vector<ColorRef>& hour) {
  ByteBuilder b;
  b.U32(version).U32(static_cast<uint32_t>(mode)).U32(appCount);
  b.U32(static_cast<uint32_t>(generic.size())).U32(static_cast<uint32_t>(hour.size()));
  if (appCount > 0) b.Section(apps);
  for (ColorRef c : generic) b.U32(c);
  for (ColorRef c : hour) b.U32(c);
  return b.str();
}

std::string DefaultColorBlock() { return ColorBlockBytes(200, ColorMode::Generic, 0, "", ColorRules().genericColors, ColorRules().hourColors); }

std::string HistoryBytes(uint32_t count, std::initializer_list<std::u16string_view> texts) {
  ByteBuilder strings;
  for (auto text : texts) strings.Utf16(text);
  return ByteBuilder().Text("schd").U32(count).U32(static_cast<uint32_t>(strings.size())).Append(strings.str()).str();
}

std::vector<std::u16string> HistoryTexts(const SearchHistory& history) {
  std::vector<std::u16string> texts;
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
  // The defaults with the first `length` bytes taken from `source`, strings cut as the reader cuts them.
  AppSettings DefaultsWithPrefix(const AppSettings& source, size_t length) {
    AppSettings expected;
    SettingsDefaults(expected, env);
    std::memcpy(&expected, &source, length);
    TerminateStringFields(expected);
    return expected;
  }
  void ExpectSettings(const AppSettings& expected) {
    const auto* a = reinterpret_cast<const uint8_t*>(&app.settings);
    const auto* b = reinterpret_cast<const uint8_t*>(&expected);
    size_t differs = 0;
    while (differs < sizeof expected && a[differs] == b[differs]) ++differs;
    EXPECT_EQ(differs, sizeof expected) << "first difference at offset " << differs;
  }

  test::FakeEnv env;
  AppState app{env};
  const std::u16string path = u"/app/config";
};

TEST_F(SettingsFileTest, DefaultFileHoldsTaggedRecordThenColourBlockAndNoHistory) {
  EXPECT_FALSE(LoadSettingsFile(app));  // no file yet: the defaults stay
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
      {320, u"/app/log/"},
      {5520, u"/app"},
      {8172, u"/app/log/"},
      {9220, u"/app/log/"},
      {10260, u"%y%M%D"},
      {10780, u"%y%M%Dapp"},
      {11300, u"[%h:%M:%S.%L](%n:%E.%C) \"%t\" - \"%x\""},
      {11556, u"%H:%M:%S.%L,%d,\"%t\",\"%x\""},
      {11812, u"[%r%%] %h:%M:%S.%Lsec (ave%o:%n:%e.%csec) \"%x\" [%u]"},
      {12068, u"%r,%d,%a,\"%x\",%u"}};
  for (const auto& [offset, text] : texts) EXPECT_EQ(TextAt(file, r + offset), text) << offset;
  for (const auto& [offset, value] : {std::pair<size_t, char>{16, 1}, {8168, 1}, {8169, 0}, {9212, 0}, {9216, 1}}) {
    EXPECT_EQ(file[r + offset], value) << offset;
  }
  EXPECT_EQ(file.substr(r + 2920, 2600), std::string(2600, '\0'));
  EXPECT_EQ(file.substr(r + 12368, 4), std::string("\0\0\0\x01", 4));
  EXPECT_EQ(file.substr(r + 12376), DefaultColorBlock());

  // Such a file loads the settings and colours, then stops where the history would be.
  app.settings.checkPeriodMs = 250;
  app.colors.mode = ColorMode::PerHour;
  SaveSettingsFile(app);
  AppState fresh(env);
  EXPECT_FALSE(LoadSettingsFile(fresh));
  EXPECT_EQ(fresh.settings.checkPeriodMs, 250);
  EXPECT_EQ(fresh.colors.mode, ColorMode::PerHour);
}

TEST_F(SettingsFileTest, EverythingSurvivesARoundTrip) {
  const AppSettings pattern = Pattern();
  std::memcpy(&app.settings, &pattern, sizeof pattern);
  TerminateStringFields(app.settings);
  app.colors.mode = ColorMode::PerApplication;
  app.pool.Intern(u"C:\\z.exe", UserCurrentDay);
  app.pool.Intern(u"C:\\a.exe", UserViewedDay);
  app.colors.AdoptPoolPaths(app.pool);
  app.colors.genericColors = {1, 2, 3};
  app.colors.hourColors = {};
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
  EXPECT_EQ(fresh.colors.hourColors, ColorRules().hourColors);  // an empty palette is not stored
  ASSERT_NE(fresh.pool.Find(StringKey(u"C:\\a.exe")), nullptr);
  EXPECT_EQ(fresh.pool.Find(StringKey(u"C:\\a.exe"))->users, UserColorRules);
  EXPECT_EQ(HistoryTexts(fresh.searchHistory), (std::vector<std::u16string>{u"a", u"検索"}));  // reversed on load
}

struct Layout {
  const char* tag;  // "" for the oldest layout
  size_t recordBytes;
};

class SettingsLayouts : public SettingsFileTest, public ::testing::WithParamInterface<Layout> {};

// Each older layout fills exactly its prefix of the record; every later field keeps its default, and
// the colour and history blocks are found right behind the shorter record.
TEST_P(SettingsLayouts, PrefixArrivesAndTheRestKeepsDefaults) {
  const Layout layout = GetParam();
  const AppSettings pattern = Pattern();
  const std::string record = std::string(layout.tag) + RecordPrefix(pattern, layout.recordBytes);
  ASSERT_TRUE(Load(record + ColorBlockBytes(200, ColorMode::NoColor, 0, "", {5}, {}) + HistoryBytes(1, {u"x"})));
  ExpectSettings(DefaultsWithPrefix(pattern, layout.recordBytes));
  EXPECT_EQ(app.colors.mode, ColorMode::NoColor);
  EXPECT_EQ(app.colors.genericColors, std::vector<ColorRef>{5});
  EXPECT_EQ(HistoryTexts(app.searchHistory), std::vector<std::u16string>{u"x"});

  // The record alone (for the oldest layout a file of exactly 8120 bytes) loads, then stops at the colours.
  AppState fresh(env);
  env.PutFile(path, record);
  EXPECT_FALSE(LoadSettingsFile(fresh));
  EXPECT_EQ(std::memcmp(&fresh.settings, &app.settings, sizeof(AppSettings)), 0);
  EXPECT_EQ(fresh.colors.mode, ColorMode::Generic);
}

INSTANTIATE_TEST_SUITE_P(AllTags, SettingsLayouts,
                         ::testing::Values(Layout{"cfgi", 12376}, Layout{"cfgh", 9220}, Layout{"cfgg", 9216},
                                           Layout{"cfgf", 8172}, Layout{"cfge", 8124}, Layout{"", 8120}));

TEST_F(SettingsFileTest, RecordCutShortReplacesOnlyTheBytesThatArrived) {
  const AppSettings pattern = Pattern();
  app.colors.mode = ColorMode::PerHour;
  EXPECT_FALSE(Load("cfgi" + RecordPrefix(pattern, 5000)));
  ExpectSettings(DefaultsWithPrefix(pattern, 5000));
  EXPECT_EQ(app.colors.mode, ColorMode::PerHour);
}

TEST_F(SettingsFileTest, UnterminatedStringsEndAtTheLastCodeUnitOfTheirArrays) {
  AppSettings s;
  std::fill_n(reinterpret_cast<char16_t*>(&s), sizeof s / 2, u'x');
  ASSERT_TRUE(Load("cfgi" + RecordPrefix(s, sizeof s) + DefaultColorBlock() + HistoryBytes(1, {u"a"})));
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

// --- The colour block inside the settings file -------------------------------------------------------

class SettingsColorBlock : public SettingsFileTest {
 protected:
  void SetUp() override {
    shared = app.pool.Intern(u"C:\\shared.exe", UserCurrentDay);
    own = app.pool.Intern(u"C:\\own.exe", UserColorRules);
    app.colors.AdoptPoolPaths(app.pool);
  }
  std::string Record() { return "cfgi" + RecordPrefix(app.settings, sizeof(AppSettings)); }
  int32_t shared = 0, own = 0;
};

TEST_F(SettingsColorBlock, AnotherVersionChangesNothingAndStopsBeforeTheHistory) {
  app.colors.mode = ColorMode::PerHour;
  EXPECT_FALSE(Load(Record() + ColorBlockBytes(201, ColorMode::NoColor, 0, "", {1}, {2}) + HistoryBytes(1, {u"h"})));
  EXPECT_EQ(app.colors.mode, ColorMode::PerHour);
  EXPECT_EQ(app.colors.appColors.size(), 2u);
  EXPECT_EQ(app.colors.genericColors, ColorRules().genericColors);
  EXPECT_EQ(app.searchHistory.Count(), 0u);
}

TEST_F(SettingsColorBlock, BlockWithoutApplicationsKeepsTheCurrentOnes) {
  ASSERT_TRUE(Load(Record() + ColorBlockBytes(200, ColorMode::PerApplication, 0, "", {}, {7, 8, 9}) + HistoryBytes(1, {u"h"})));
  EXPECT_EQ(app.colors.mode, ColorMode::PerApplication);
  EXPECT_EQ(app.colors.appColors.size(), 2u);
  EXPECT_EQ(app.colors.genericColors, ColorRules().genericColors);
  EXPECT_EQ(app.colors.hourColors, (std::vector<ColorRef>{7, 8, 9}));
  EXPECT_NE(app.pool.Find(own), nullptr);
}

// The records replace the old ones and their references; a later record of the same key wins, and
// a record running past the data ends the walk without losing what follows the section.
TEST_F(SettingsColorBlock, ApplicationsReplaceTheOldOnesAndTheirReferences) {
  const std::string apps = AppRecord(u"C:\\new.exe", 0x0000FF) + AppRecord(u"C:\\shared.exe", 0x00FF00) +
                           AppRecord(u"C:\\new.exe", 0xFF0000) + ByteBuilder().U32(1000).U32(2).Utf16(u"C:\\b").str();
  ASSERT_TRUE(Load(Record() + ColorBlockBytes(200, ColorMode::PerApplication, 5, apps, {4}, {}) + HistoryBytes(1, {u"h"})));
  EXPECT_EQ(app.colors.appColors,
            (std::map<int32_t, ColorRef>{{StringKey(u"C:\\new.exe"), 0xFF0000}, {shared, 0x00FF00}}));
  EXPECT_EQ(app.pool.Find(own), nullptr);
  EXPECT_EQ(app.pool.Find(shared)->users, UserCurrentDay | UserColorRules);
  EXPECT_EQ(app.pool.Find(StringKey(u"C:\\new.exe"))->users, UserColorRules);
  EXPECT_EQ(app.colors.genericColors, std::vector<ColorRef>{4});
  EXPECT_EQ(app.searchHistory.Count(), 1u);
}

// The old entries are let go before the section is judged: a damaged section leaves none.
TEST_F(SettingsColorBlock, DamagedApplicationSectionLeavesNoApplicationColours) {
  const std::string block = ByteBuilder().U32(200).U32(0).U32(1).U32(0).U32(0).str();
  const std::string body = test::Deflate(AppRecord(u"C:\\a.exe", 1));
  const auto packed = static_cast<uint32_t>(body.size());
  for (const auto& [packedLength, rawLength] : {std::pair<uint32_t, uint32_t>{0, 20}, {packed, 19}}) {
    app.colors.AdoptPoolPaths(app.pool);
    app.pool.Intern(u"C:\\own.exe", UserColorRules);
    EXPECT_FALSE(Load(Record() + block + ByteBuilder().U32(packedLength).U32(rawLength).Append(body).str() +
                      HistoryBytes(1, {u"h"})));
    EXPECT_TRUE(app.colors.appColors.empty());
    EXPECT_EQ(app.pool.Find(own), nullptr);
    EXPECT_EQ(app.pool.Find(shared)->users, UserCurrentDay);
    EXPECT_EQ(app.searchHistory.Count(), 0u);
  }
}

TEST_F(SettingsColorBlock, PaletteShorterThanItsCountKeepsTheOldPalette) {
  const std::string block = ByteBuilder().U32(200).U32(2).U32(0).U32(1000).U32(2).U32(1).U32(2).str();
  EXPECT_FALSE(Load(Record() + block));
  EXPECT_EQ(app.colors.mode, ColorMode::PerHour);
  EXPECT_EQ(app.colors.genericColors, ColorRules().genericColors);
  EXPECT_EQ(app.colors.hourColors, ColorRules().hourColors);
}

// --- The history block ------------------------------------------------------------------------------

TEST_F(SettingsFileTest, HistoryBlockIsReadWithinItsLengthAndCapacityOrNotAtAll) {
  const std::string head = "cfgi" + RecordPrefix(app.settings, sizeof(AppSettings)) + DefaultColorBlock();
  auto block = [](uint32_t count, uint32_t length, const ByteBuilder& strings) {
    return ByteBuilder().Text("schd").U32(count).U32(length).Append(strings.str()).str();
  };
  // An empty string ends the list.
  ASSERT_TRUE(Load(head + HistoryBytes(3, {u"a", u"", u"b"})));
  EXPECT_EQ(HistoryTexts(app.searchHistory), std::vector<std::u16string>{u"a"});
  // The last string runs to the end of the block without its terminator; the count asks for more.
  app.searchHistory.ClearSearchHistory();
  ASSERT_TRUE(Load(head + block(5, 10, ByteBuilder().Utf16(u"ab").Utf16(u"cd", false).Text("zz"))));
  EXPECT_EQ(HistoryTexts(app.searchHistory), (std::vector<std::u16string>{u"cd", u"ab"}));
  // At most the capacity is taken, from the front of the block.
  app.searchHistory.ClearSearchHistory();
  ByteBuilder many;
  for (int i = 0; i < 70; ++i) many.Utf16(u"s" + std::u16string(1, static_cast<char16_t>(u'A' + i)));
  ASSERT_TRUE(Load(head + block(70, static_cast<uint32_t>(many.size()), many)));
  EXPECT_EQ(app.searchHistory.Count(), 64u);
  EXPECT_EQ(app.searchHistory.Entries().front().Text(), u"s\u0080");  // u'A' + 63

  // A cut, mistagged, oversized or overlong block leaves the history as it was.
  app.searchHistory.ClearSearchHistory();
  app.searchHistory.AddSearchText(u"kept");
  for (const std::string& damaged : {HistoryBytes(1, {u"x"}).substr(0, 11), "schX" + HistoryBytes(1, {u"x"}).substr(4),
                                     block(1, 0xFFFFFF00, ByteBuilder().Utf16(u"x")), block(1, 6, ByteBuilder().Utf16(u"x"))}) {
    EXPECT_FALSE(Load(head + damaged));
    EXPECT_EQ(HistoryTexts(app.searchHistory), std::vector<std::u16string>{u"kept"});
  }
}

}  // namespace
}  // namespace qm
