// When the check timer saves everything on its own: at fixed hour boundaries chosen in the settings.
#pragma once

#include <cstdint>

#include "platform/env.h"

namespace qm {

// True when the hour went from prev to now across a boundary of `autoSave` (0 never; 1 every hour
// but midnight, which the day change saves; 2 at noon; 3 every three hours from 3 to 21; 4 at 6, 12
// and 18). Only the hour fields count; any other mode never saves.
bool AutoSaveDue(int32_t autoSave, const LocalTime& prev, const LocalTime& now);

}  // namespace qm
