// "quillmere.ini": the profile text rules the portable reader shares with the system's functions, the
// settings' defaults and bounds, and a save that keeps what it does not own.
#include "storage/ini_settings.h"

#include <gtest/gtest.h>

#include "platform/profile_text.h"
#include "support/crash_safety.h"
#include "support/fake_env.h"

namespace qm {
namespace {

constexpr char16_t kIni[] = u"/app/quillmere.ini";

TEST(ProfileText, FindsKeysOfTheirOwnSectionOnly) {
  const std::string text =
      "; a comment=1\r\n[Other]\r\nKey=other\r\n  [ recording ]  \r\n;Key=commented\r\n  KEY  =  two words  \r\n"
      "Key=second\r\nEmpty=\n[Next]\nKey=next";
  EXPECT_EQ(profile_text::Find(text, "Recording", "key"), "two words");
  EXPECT_EQ(profile_text::Find(text, "recording", "Empty"), "");
  EXPECT_EQ(profile_text::Find(text, "Next", "Key"), "next");
  EXPECT_EQ(profile_text::Find(text, "Other", "Key"), "other");
  EXPECT_FALSE(profile_text::Find(text, "Recording", "Missing"));
  EXPECT_FALSE(profile_text::Find(text, "Missing", "Key"));
  EXPECT_FALSE(profile_text::Find("Key=outside\r\n", "", "Key"));
}

TEST(ProfileText, SetsInPlaceOrAddsKeepingEveryOtherLine) {
  const std::string text = "; note\n[A]\nx=1\ny=2\n\n[B]\nz=3\n";
  EXPECT_EQ(profile_text::With(text, "a", "Y", "9"), "; note\r\n[A]\r\nx=1\r\nY=9\r\n\r\n[B]\r\nz=3\r\n");
  EXPECT_EQ(profile_text::With(text, "A", "w", "0"), "; note\r\n[A]\r\nx=1\r\ny=2\r\nw=0\r\n\r\n[B]\r\nz=3\r\n");
  EXPECT_EQ(profile_text::With(text, "B", "w", "0"), "; note\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\nw=0\r\n");
  EXPECT_EQ(profile_text::With(text, "C", "k", "v"), "; note\r\n[A]\r\nx=1\r\ny=2\r\n\r\n[B]\r\nz=3\r\n\r\n[C]\r\nk=v\r\n");
  EXPECT_EQ(profile_text::With("", "C", "k", "v"), "[C]\r\nk=v\r\n");
}

TEST(IniSettings, MissingOrDamagedValuesGiveTheDefaults) {
  test::FakeEnv env;
  EXPECT_EQ(LoadIniSettings(env), IniSettings());
  env.PutFile(kIni,
              "[Recording]\nAwayAfterSeconds=9\nPresentWhileFullScreen=2\n[Usage]\nPeriod=year\n[General]\nLanguage=fr\n");
  EXPECT_EQ(LoadIniSettings(env), IniSettings());
  for (const char* bad : {"86401", "-5", "300s", "", "0x10", "99999999999"}) {
    env.PutFile(kIni, std::string("[Recording]\nAwayAfterSeconds=") + bad + "\n");
    EXPECT_EQ(LoadIniSettings(env).awayAfterSeconds, kAwayAfterSecondsDefault) << bad;
  }
  env.PutFile(kIni, std::string(70'000, '\0') + "[Recording]\nAwayAfterSeconds=60\n");  // beyond what is read
  EXPECT_EQ(LoadIniSettings(env), IniSettings());
}

TEST(IniSettings, ValuesInRangeAreTaken) {
  test::FakeEnv env;
  const std::pair<const char*, uint32_t> thresholds[] = {{"0", 0}, {"10", 10}, {"86400", 86'400}, {"600", 600}};
  for (const auto& [text, seconds] : thresholds) {
    env.PutFile(kIni, std::string("[Recording]\r\nAwayAfterSeconds=") + text + "\r\nPresentWhileFullScreen=0\r\n"
                "[Usage]\r\nPeriod=Month\r\n[General]\r\nLanguage=EN\r\n");
    const IniSettings s = LoadIniSettings(env);
    EXPECT_EQ(s.awayAfterSeconds, seconds);
    EXPECT_FALSE(s.presentWhileFullScreen);
    EXPECT_EQ(s.usagePeriod, UsagePeriod::Month);
    EXPECT_EQ(s.language, LanguageChoice::English);
  }
}

TEST(IniSettings, SaveRoundTripsKeepsForeignKeysAndIsCrashSafe) {
  test::FakeEnv env;
  const std::string before = "[General]\r\nLanguage=ja\r\nTheme=dark\r\n[Mine]\r\nk=v\r\n";
  IniSettings s;
  s.awayAfterSeconds = 0;
  s.presentWhileFullScreen = false;
  s.usagePeriod = UsagePeriod::Week;
  s.language = LanguageChoice::Japanese;
  const std::string after =
      "[General]\r\nLanguage=ja\r\nTheme=dark\r\n[Mine]\r\nk=v\r\n\r\n[Recording]\r\nAwayAfterSeconds=0\r\n"
      "PresentWhileFullScreen=0\r\n\r\n[Usage]\r\nPeriod=week\r\n";
  test::ExpectOldOrNewUnderEveryFault(env, {{kIni, before, after, nullptr}}, [&] { return SaveIniSettings(env, s); });
  EXPECT_EQ(LoadIniSettings(env), s);
}

}  // namespace
}  // namespace qm
