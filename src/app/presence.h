// Whether someone is at the computer, asked at every check before the foreground window: away time
// is a gap in the day, not use of the window left in front. No keyboard or mouse input for the away
// threshold ends the entry in progress at the last input; the screen saver and the absences the
// system announces (lock, disconnection, display off) end it at once, whatever the threshold. A
// full-screen window or a program keeping the display on counts as someone there without input.
#pragma once

#include <cstdint>

#include "app/app_state.h"
#include "platform/window_system.h"

namespace qm {

// Input idle this long before the screen saver and the full-screen and display states are looked at,
// and at most one look in this time: a busy user costs one question to the system per check.
inline constexpr uint32_t kPresenceLookMs = 1000;

// At a check at `tick`: true when someone is there. Ends the entry in progress when nobody has
// been since the last check, setting `ended`; the first sign of someone after that starts the next
// entry, as at start-up.
bool CheckPresence(AppState& app, WindowSystem& windows, uint32_t tick, bool& ended);

// The system announces an absence: the entry in progress ends now. True when one was in progress.
bool BeginAbsence(AppState& app, Absence absence);
// An announced absence is over; once none is left, someone is back.
void EndAbsence(AppState& app, Absence absence);

// True while nobody is there, by the last check or by an announced absence.
bool IsAway(const SamplerState& sampler);

// The use of the entry in progress by `tick`: up to the last moment someone was seen, where the
// away threshold would end it, and never before its start. What the journal holds of it, so that a
// crash during an absence leaves no longer entry than the one the program would have recorded.
uint32_t SeenDuration(const StoredState& app, uint32_t tick);

}  // namespace qm
