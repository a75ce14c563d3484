// The settings that have no place in the binary "config": "quillmere.ini" beside the executable, a
// private-profile (INI) file. A missing file, section or key, or a value out of its range, gives the
// default; keys the program does not know are kept when it writes the file.
#pragma once

#include <cstdint>
#include <string>

#include "platform/env.h"

namespace qm {

// What the usage window totals: one day, the Monday-to-Sunday week, or the calendar month.
enum class UsagePeriod : uint8_t { Day, Week, Month };
// The language of the windows: the system's display language, or one chosen.
enum class LanguageChoice : uint8_t { Auto, Japanese, English };

inline constexpr uint32_t kAwayAfterSecondsDefault = 300;
inline constexpr uint32_t kAwayAfterSecondsMin = 10;
inline constexpr uint32_t kAwayAfterSecondsMax = 86'400;

struct IniSettings {
  // [Recording] AwayAfterSeconds: no input for this long ends the entry; 0 turns it off.
  uint32_t awayAfterSeconds = kAwayAfterSecondsDefault;
  // [Recording] PresentWhileFullScreen: a full-screen window or a program holding the display on
  // counts as someone present.
  bool presentWhileFullScreen = true;
  // [Usage] Period
  UsagePeriod usagePeriod = UsagePeriod::Day;
  // [General] Language
  LanguageChoice language = LanguageChoice::Auto;

  bool operator==(const IniSettings&) const = default;
};

// The executable's folder combined with "quillmere.ini".
std::u16string IniFilePath(Env& env);

IniSettings LoadIniSettings(Env& env);

// Writes every setting into the file in one crash-safe step, keeping what else it holds; a failed
// save leaves the previous file as it was.
bool SaveIniSettings(Env& env, const IniSettings& settings);

}  // namespace qm
