// What the sampler keeps between two looks at the foreground window: the open entry, its title,
// the day being recorded, the cache that turns device paths into drive-letter paths, and what it
// knows of whether someone is at the computer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/day_log.h"
#include "platform/env.h"

namespace qm {

// The entry in progress, in the order of a record header.
struct OpenEntry {
  uint32_t start = 0;      // ms since local midnight
  uint32_t startTick = 0;  // tick count at which the entry began
  uint32_t exeKey = 0;
  // Set while an entry is in progress; start and startTick may both be 0 for a real entry.
  bool isOpen = false;
};

// Built on first use and kept for the run: drives that appear later are not translated.
struct DriveMap {
  struct Entry {
    std::u16string drive;   // "C:"
    std::u16string device;  // what the system names the drive's device
  };
  bool built = false;
  std::vector<Entry> entries;
  int32_t lastHit = -1;  // the entry that matched last, tried first

  void Reset() {
    built = false;
    std::vector<Entry>().swap(entries);
    lastHit = -1;
  }
};

// The absences the system announces; each lasts until the system announces its end.
enum class Absence : uint8_t { Locked = 1, Disconnected = 2, DisplayOff = 4 };

struct Presence {
  uint32_t seenTick = 0;     // the latest moment someone was known to be there
  uint32_t lookTick = 0;     // the last look at the screen saver and at the full-screen and display states
  uint8_t absences = 0;      // announced absences not yet over (Absence bits)
  bool screenSaver = false;  // running at the last look
  bool keptPresent = false;  // a full-screen window or a display-on request at the last look
  bool away = false;         // the entry ended for an absence; nothing is recorded until someone is back
};

inline constexpr size_t kTitleUnits = 256;

struct SamplerState {
  uintptr_t window = 0;  // the foreground window of the open entry
  DayLog day;            // the day being recorded
  LocalTime lastTick;
  OpenEntry open;
  char16_t title[kTitleUnits] = {};
  DriveMap driveMap;
  Presence presence;
};

}  // namespace qm
