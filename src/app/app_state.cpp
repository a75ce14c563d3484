#include "app/app_state.h"

namespace qm {

AppState::AppState(Env& environment) : OutputState(environment) {
  sampler.lastTick = env.Now();
  SettingsDefaults(settings, env);
}

AppState::~AppState() {
  // Members go in reverse order: templates, history, viewed day, colours; the sampler and the pool
  // are let go explicitly so that no string outlives its users.
  sampler.day.Release();
  sampler.open = OpenEntry();
  pool.Release(UserCurrentDay);
  sampler.driveMap.Reset();
  viewedDay.Release();
  pool.ClearAll();
}

AppState& App() {
  static AppState state(DefaultEnv());
  return state;
}

}  // namespace qm
