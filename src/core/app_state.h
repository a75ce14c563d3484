// The one application-wide object: everything that outlives a window. Windows reach it through App().
#pragma once

#include "color/color_rules.h"
#include "core/day_log.h"
#include "core/sampler_state.h"
#include "core/search_history.h"
#include "core/string_pool.h"
#include "output/compiled_template.h"
#include "platform/env.h"
#include "storage/app_settings.h"

namespace qm {

class AppState {
 public:
  // Builds the state with its defaults; reads no file.
  explicit AppState(Env& env);
  ~AppState();
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  Env& env;
  StringPool pool;  // also holds the current day's string byte count
  SamplerState sampler;
  ColorRules colors;
  DayLog viewedDay;  // a day loaded for viewing; empty while the current day is shown
  AppSettings settings;
  SearchHistory searchHistory;
  // listTextTemplate, listCsvTemplate, usageTextTemplate, usageCsvTemplate, compiled.
  CompiledTemplate templates[4];
};

// The one AppState of the process, created on first use on the platform's environment and torn down
// at process exit.
AppState& App();

}  // namespace qm
