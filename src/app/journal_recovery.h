// Start-up: what the recording journals hold beyond the day logs goes into them before today's
// recording continues, so that a crash, a killed process or a power cut loses only the last moments.
#pragma once

#include <string>
#include <vector>

#include "app/app_state.h"

namespace qm {

// Completes the day log of every earlier day that left a journal behind (and runs that day's automatic
// export with the settings of `app`), loads today's day log and
// adds what today's journal holds beyond it (the entry that was in progress closed at its last
// journaled moment), saves each day that gained records, and starts today's journal. Files set aside
// as unreadable on the way (day logs, damaged journals) are added to `keptAside`.
void RecoverRecording(AppState& app, const LocalTime& today, std::vector<std::u16string>* keptAside);

}  // namespace qm
