#include <gtest/gtest.h>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "support/fake_env.h"

namespace qm {
namespace {

TEST(AppState, FreshStateTakesItsClockAndFoldersFromTheEnvironment) {
  test::FakeEnv env;
  env.executablePath = u"/opt/q/quillmere";
  AppState app(env);
  EXPECT_EQ(app.sampler.lastTick.second, env.now.second);
  EXPECT_EQ(app.sampler.lastTick.milliseconds, env.now.milliseconds);
  EXPECT_EQ(ArrayText(app.settings.logDialog.folder), u"/opt/q/log/");
  EXPECT_EQ(ArrayText(app.settings.colorDialog.folder), u"/opt/q");
}

TEST(AppState, AccessorCreatesOnceAndKeepsState) {
  AppState& first = App();
  const uint32_t records = first.sampler.day.Count();
  first.sampler.day.Append(ActivityRecord{0, 1, 2, 3}, u"kept");
  first.settings.checkPeriodMs = 20;
  AppState& second = App();
  EXPECT_EQ(&first, &second);
  EXPECT_EQ(second.sampler.day.Count(), records + 1);
  EXPECT_EQ(second.settings.checkPeriodMs, 20);
  second.sampler.day.Clear();
  second.settings.checkPeriodMs = 100;
}

}  // namespace
}  // namespace qm
