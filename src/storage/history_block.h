// The search history inside the settings file: the tag "schd", the count, the byte length, then the
// entries from the most recent to the oldest, each UTF-16 with its terminator, back to back.
#pragma once

#include <cstdint>

#include "core/search_history.h"
#include "storage/file_objects.h"

namespace qm {

inline constexpr uint32_t kHistoryTag = 0x64686373;  // "schd"
// 64 entries of a 256-unit search text need 33 KB; readers refuse blocks beyond this.
inline constexpr uint32_t kMaxHistoryBytes = 1u << 20;

// False, with nothing written, for an empty history (or one whose entries don't add up to its byte
// total); false too when a write fails.
bool WriteHistoryBlock(FileWriter& file, const SearchHistory& history);

// Adds the stored strings to `history`, at most its capacity, ending at the first empty string; the
// stored most recent entry ends up in front, so a load after a save offers the same order. False,
// with the history unchanged, when the tag is missing or the strings are not all in the file.
bool ReadHistoryBlock(FileReader& file, SearchHistory& history);

}  // namespace qm
