// Starting with Windows: the Run value "Quillmere" that starts the program in the notification area
// at sign-in, and the start's own arguments (the tray switch and the files to open).
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/run_key.h"

namespace qm {

inline constexpr char16_t kRunValueName[] = u"Quillmere";
// Starts the program in the notification area with no window shown.
inline constexpr char16_t kTraySwitch[] = u"/tray";

// The Run value's command line: the executable quoted, then the tray switch.
std::u16string AutoStartCommand(std::u16string_view executablePath);

// Whether the program starts with Windows: the value exists, whatever it names.
bool IsAutoStartOn(RunKey& key);
// Writes (on) or removes (off) the value for the executable; false when the registry refused.
bool SetAutoStart(RunKey& key, std::u16string_view executablePath, bool on);

enum class AutoStartRepair { Unchanged, Rewritten, Failed };
// At start-up: a value naming anything but this executable's command (the folder was moved) is
// rewritten to it; no value stays no value.
AutoStartRepair RepairAutoStart(RunKey& key, std::u16string_view executablePath);

struct StartArguments {
  bool inTray = false;
  std::vector<std::u16string> files;  // in the order given
};
// The arguments after the program's name: the tray switch (also "-tray", in any case) anywhere,
// everything else a file.
StartArguments ParseStartArguments(std::span<const std::u16string> arguments);

}  // namespace qm
