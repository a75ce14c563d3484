// The serialised ColorRules, shared by the settings file and colour files: a 20-byte header (version
// 200, mode, and the counts of per-application entries, generic and hour colours), the per-application
// entries as one compressed section, then the two palettes as plain COLORREF runs.
#pragma once

#include <cstdint>

#include "color/color_rules.h"
#include "core/string_pool.h"
#include "storage/file_objects.h"

namespace qm {

inline constexpr uint32_t kColorBlockVersion = 200;
// Readers refuse palettes larger than this; the colour window adds colours one at a time.
inline constexpr uint32_t kMaxPaletteColors = 1u << 20;

// Writes the block at the writer's position. Per-application entries whose path the pool lacks are
// left out. False, with nothing written, when the entries cannot be compressed; false too when a
// write fails.
bool WriteColorBlock(FileWriter& file, const ColorRules& rules, const StringPool& pool);

// Reads the block at the reader's position. A block of another version changes nothing; otherwise the
// mode is taken at once, per-application entries (if the block has any) replace the old ones and their
// pool references even when their section then proves damaged, and each palette the block holds
// replaces the current one. False at the first part that cannot be read; what was read stays.
bool ReadColorBlock(FileReader& file, ColorRules& rules, StringPool& pool);

}  // namespace qm
