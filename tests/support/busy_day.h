// A synthetic busy day for benchmarks: 50,000 records with titles of 20-120 characters (Latin and
// Japanese words, quotes and commas) spread over 40 executables, recorded into the current day.
#pragma once

#include "app/app_state.h"

namespace qm::test {

void RecordBusyDay(AppState& app, int records = 50'000);

}  // namespace qm::test
