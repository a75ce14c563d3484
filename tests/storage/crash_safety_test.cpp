// Saves of the day log and of the settings file, failing or cut short at any point, leave either the
// previous file or the complete new one.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "storage/day_log_file.h"
#include "storage/settings_file.h"
#include "support/crash_safety.h"

namespace qm {
namespace {

TEST(CrashSafety, DayLogSave) {
  test::FakeEnv env;
  AppState app(env);
  const std::u16string path = u"/app/log/20160307.bin2";
  auto saveDay = [&](const std::u16string& exe, const std::u16string& title, int count) {
    app.pool.Release(UserCurrentDay);
    app.sampler.day.Clear();
    const auto key = static_cast<uint32_t>(app.pool.Intern(exe, UserCurrentDay));
    for (int i = 0; i < count; ++i) app.sampler.day.Append({0, static_cast<uint32_t>(i) * 10, 5, key}, title);
    EXPECT_TRUE(SaveDayLog(app, 2016, 3, 7));
    return env.FileBytes(path);
  };
  const std::string before = saveDay(u"old.exe", u"old title", 3);
  const std::string after = saveDay(u"new.exe", u"new title", 500);
  auto loadsAs = [&](bool isNew) {
    AppState reader(env);
    ASSERT_TRUE(LoadDayLogFile(reader, reader.viewedDay, path, UserViewedDay));
    EXPECT_EQ(reader.viewedDay.Count(), isNew ? 500u : 3u);
    EXPECT_EQ(reader.viewedDay.Title(0), isNew ? u"new title" : u"old title");
  };
  test::ExpectOldOrNewUnderEveryFault(env, {{path, before, after, loadsAs}},
                                      [&] { return SaveDayLog(app, 2016, 3, 7); });
}

TEST(CrashSafety, SettingsSave) {
  test::FakeEnv env;
  AppState app(env);
  const std::u16string path = SettingsFilePath(env);
  app.searchHistory.AddSearchText(u"old");
  ASSERT_TRUE(SaveSettingsFile(app));
  const std::string before = env.FileBytes(path);
  app.settings.checkPeriodMs = 300;
  for (char16_t c = u'A'; c <= u'Z'; ++c) app.pool.Intern(u"C:\\apps\\tool" + std::u16string(1, c) + u".exe", UserCurrentDay);
  app.colors.AdoptPoolPaths(app.pool);
  app.searchHistory.AddSearchText(u"new");
  ASSERT_TRUE(SaveSettingsFile(app));
  auto loadsAs = [&](bool isNew) {
    AppState reader(env);
    ASSERT_TRUE(LoadSettingsFile(reader));
    EXPECT_EQ(reader.settings.checkPeriodMs, isNew ? 300 : 100);
    EXPECT_EQ(reader.colors.appColors.size(), isNew ? 26u : 0u);
    EXPECT_EQ(reader.searchHistory.Entries().back().Text(), isNew ? u"new" : u"old");
  };
  test::ExpectOldOrNewUnderEveryFault(env, {{path, before, env.FileBytes(path), loadsAs}},
                                      [&] { return SaveSettingsFile(app); });
}

}  // namespace
}  // namespace qm
