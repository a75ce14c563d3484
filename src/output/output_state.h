// The stored state with the four line templates compiled from its settings: all that the writers of
// lists, statistics and exports read.
#pragma once

#include "output/compiled_template.h"
#include "storage/stored_state.h"

namespace qm {

struct OutputState : StoredState {
  using StoredState::StoredState;

  // listTextTemplate, listCsvTemplate, usageTextTemplate, usageCsvTemplate, compiled.
  CompiledTemplate templates[4];
};

}  // namespace qm
