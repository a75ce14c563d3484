// The one application-wide object: everything that outlives a window. Windows reach it through App().
// Its data is declared by the floors that read and write it (StoredState, OutputState); this floor
// adds the lifetime: defaults at construction, the order of teardown, the one instance.
#pragma once

#include "app/journal_keeper.h"
#include "output/output_state.h"

namespace qm {

class AppState : public OutputState {
 public:
  // Builds the state with its defaults; reads no file.
  explicit AppState(Env& env);
  ~AppState();

  // The recording journal of the day being recorded; started by the program at start-up.
  JournalKeeper journal{env};
};

// The one AppState of the process, created on first use on the platform's environment and torn down
// at process exit.
AppState& App();

}  // namespace qm
