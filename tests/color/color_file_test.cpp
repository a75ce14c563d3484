#include "color/color_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "storage/compressed_section.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

using test::ByteBuilder;
using Op = test::FakeEnv::Op;

class ColorFileTest : public ::testing::Test {
 protected:
  test::FakeEnv env;
  StringPool pool;
  ColorRules rules;
  const std::u16string path = u"/app/scheme.color";
};

TEST_F(ColorFileTest, DefaultRulesMakeThe60ByteFile) {
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));
  ByteBuilder expected;
  expected.U32(200).U32(1).U32(0).U32(8).U32(2);
  for (size_t i = 0; i < 8; ++i) expected.U32(DefaultPalette[i]);
  expected.U32(0xFFFFFF).U32(0xEFFFEF);
  EXPECT_EQ(env.FileBytes(path), expected.str());
  EXPECT_EQ(expected.size(), 60u);
}

TEST_F(ColorFileTest, LoadingTheDefaultFileKeepsApplicationColoursAndSetsTheMode) {
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));
  pool.Intern(u"C:\\a.exe", UserCurrentDay);
  rules.AdoptPoolPaths(pool);
  rules.mode = ColorMode::PerApplication;
  rules.genericColors = {1};
  ASSERT_TRUE(LoadColorFile(env, path, rules, pool));
  EXPECT_EQ(rules.mode, ColorMode::Generic);
  EXPECT_EQ(rules.appColors.size(), 1u);
  EXPECT_EQ(rules.genericColors, ColorRules().genericColors);
}

TEST_F(ColorFileTest, Version201IsRefusedWithoutChangingEvenTheMode) {
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));
  std::string bytes = env.FileBytes(path);
  bytes[0] = static_cast<char>(201);
  bytes[4] = 3;
  env.PutFile(path, bytes);
  rules.mode = ColorMode::PerHour;
  rules.hourColors = {5};
  EXPECT_FALSE(LoadColorFile(env, path, rules, pool));
  EXPECT_EQ(rules.mode, ColorMode::PerHour);
  EXPECT_EQ(rules.hourColors, std::vector<ColorRef>{5});
}

TEST_F(ColorFileTest, ApplicationEntriesAreStoredInSignedKeyOrderAndComeBack) {
  const std::u16string paths[] = {u"C:\\zz.exe", u"C:\\b.exe", u"C:\\a.exe"};  // keys > 0, < 0, < 0
  for (const auto& p : paths) pool.Intern(p, UserViewedDay);
  rules.AdoptPoolPaths(pool);
  rules.appColors[12345] = 0x777777;  // no path in the pool: left out
  rules.mode = ColorMode::PerApplication;
  ASSERT_TRUE(SaveColorFile(env, path, rules, pool));

  const std::string bytes = env.FileBytes(path);
  EXPECT_EQ(bytes.substr(8, 4), ByteBuilder().U32(3).str());
  std::vector<int32_t> keys;
  {
    FileReader reader(env);  // files open without sharing: closed before loading below
    ASSERT_TRUE(reader.Open(path));
    reader.Seek(20, SeekOrigin::Begin);
    Section section;
    ASSERT_TRUE(ReadSection(reader, {true, 0, 64, 64, true, kMaxSectionRawBytes}, &section));
    for (uint32_t offset = 0; offset < section.rawLength;) {
      uint32_t byteSize;
      std::memcpy(&byteSize, section.data.data() + offset, 4);
      const auto* text = reinterpret_cast<const char16_t*>(section.data.data() + offset + 8);
      keys.push_back(StringKey(std::u16string_view(text, byteSize / 2 - 1)));
      offset += 8 + byteSize;
    }
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

TEST_F(ColorFileTest, NoPathOrNoFileFails) {
  EXPECT_FALSE(SaveColorFile(env, u"", rules, pool));
  EXPECT_FALSE(LoadColorFile(env, u"", rules, pool));
  EXPECT_FALSE(LoadColorFile(env, u"/app/missing.color", rules, pool));
}

TEST_F(ColorFileTest, FailedSaveLeavesThePreviousFile) {
  env.PutFile(path, "previous");
  pool.Intern(u"C:\\a.exe", UserViewedDay);
  rules.AdoptPoolPaths(pool);
  for (Op op : {Op::Write, Op::Flush, Op::Rename}) {
    env.FailNth(op, 1);
    EXPECT_FALSE(SaveColorFile(env, path, rules, pool));
    EXPECT_EQ(env.FileBytes(path), "previous");
    EXPECT_FALSE(env.HasFile(path + u".tmp"));
    env.FailNth(op, 0);
  }
}

TEST(ColorFileName, ExtensionFromTheLastDotInAnyCase) {
  EXPECT_TRUE(IsColorFileName(u"C:\\x\\a.COLOR"));
  EXPECT_TRUE(IsColorFileName(u"b.color"));
  EXPECT_TRUE(IsColorFileName(u".Color"));
  EXPECT_FALSE(IsColorFileName(u"a.color.bin2"));
  EXPECT_FALSE(IsColorFileName(u"a.colors"));
  EXPECT_FALSE(IsColorFileName(u"color"));
}

// The drop rule, with loaders that succeed for the names listed as good and log every call.
class DroppedFiles : public ::testing::Test {
 protected:
  OpenedFiles Drop(std::vector<std::u16string> names) {
    auto tryWith = [this](const char* kind) {
      return [this, kind](const std::u16string& name) {
        calls.push_back(std::u16string(kind, kind + 3) + u":" + name);
        return std::find(good.begin(), good.end(), name) != good.end();
      };
    };
    return OpenDroppedFiles(names, tryWith("col"), tryWith("log"));
  }
  std::vector<std::u16string> good;
  std::vector<std::u16string> calls;
};

TEST_F(DroppedFiles, FirstColourFileThatLoadsWins) {
  good = {u"a.COLOR"};
  const OpenedFiles opened = Drop({u"a.COLOR", u"b.color"});
  EXPECT_TRUE(opened.colorLoaded);
  EXPECT_FALSE(opened.logShown);
  // A colour name after a successful load goes to the day-log opening, which refuses it.
  EXPECT_EQ(calls, (std::vector<std::u16string>{u"col:a.COLOR", u"log:b.color"}));
}

TEST_F(DroppedFiles, DamagedColourFileIsFollowedByTheNext) {
  good = {u"b.color"};
  EXPECT_TRUE(Drop({u"a.color", u"b.color"}).colorLoaded);
  EXPECT_EQ(calls, (std::vector<std::u16string>{u"col:a.color", u"col:b.color"}));
}

TEST_F(DroppedFiles, ColourAndFirstDayLogThenStop) {
  good = {u"s.color", u"1.bin2", u"2.bin2"};
  const OpenedFiles opened = Drop({u"s.color", u"1.bin2", u"2.bin2", u"t.color"});
  EXPECT_TRUE(opened.colorLoaded && opened.logShown);
  EXPECT_EQ(calls, (std::vector<std::u16string>{u"col:s.color", u"log:1.bin2"}));
}

TEST_F(DroppedFiles, OtherNamesAreOfferedAsDayLogsOnly) {
  const OpenedFiles opened = Drop({u"notes.txt", u"1.bin2"});
  EXPECT_FALSE(opened.colorLoaded || opened.logShown);
  EXPECT_EQ(calls, (std::vector<std::u16string>{u"log:notes.txt", u"log:1.bin2"}));
  calls.clear();
  Drop({});
  EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace qm
