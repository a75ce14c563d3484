// The part of the application state that the files hold or fill: the string pool, the sampler with
// the day being recorded, the colour rules, the viewed day, the settings and the search history. The
// storage code takes this part only; the application state below the windows adds to it.
#pragma once

#include "color/color_rules.h"
#include "core/day_log.h"
#include "core/sampler_state.h"
#include "core/search_history.h"
#include "core/string_pool.h"
#include "platform/env.h"
#include "storage/app_settings.h"
#include "storage/ini_settings.h"

namespace qm {

struct StoredState {
  explicit StoredState(Env& environment) : env(environment) {}
  StoredState(const StoredState&) = delete;
  StoredState& operator=(const StoredState&) = delete;

  Env& env;
  StringPool pool;  // also holds the current day's string byte count
  SamplerState sampler;
  ColorRules colors;
  DayLog viewedDay;  // a day loaded for viewing; empty while the current day is shown
  AppSettings settings;
  IniSettings ini;  // what "quillmere.ini" holds
  SearchHistory searchHistory;
};

}  // namespace qm
