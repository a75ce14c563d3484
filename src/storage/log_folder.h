// Where the program keeps its files: beside the executable, day logs in the folder "log".
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/env.h"

namespace qm {

// The executable's folder; empty when the executable's path is unknown.
std::u16string ExecutableFolder(Env& env);
// The executable's folder combined with "log", with a trailing separator.
std::u16string LogFolder(Env& env);
// "%d%02d%02d.%s": 7 March 2016 with "bin2" gives 20160307.bin2.
std::u16string DayLogFileName(uint16_t year, uint16_t month, uint16_t day, std::u16string_view extension);
// The date at the start of a day log's file name: 4, 2 and 2 digits ("20160305.bin2" is 2016-03-05);
// nothing when the name does not begin that way.
std::optional<LocalTime> DateOfDayLogName(std::u16string_view name);

}  // namespace qm
