// The colour model: which colour each record and executable gets. Per-application colours are keyed
// by the StringKey of the executable's path; every key held here keeps a UserColorRules reference on
// its path in the StringPool, so the path outlives the days that brought it in and can be saved.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "color/default_palette.h"
#include "core/activity_record.h"
#include "core/string_pool.h"

namespace qm {

// Stored as a plain int32 in files; values outside the four are kept and paint white.
enum class ColorMode : int32_t {
  PerApplication = 0,
  Generic = 1,
  PerHour = 2,
  NoColor = 3,
};

inline constexpr uint32_t kMillisecondsPerHour = 3'600'000;

class ColorRules {
 public:
  ColorRules() { ResetPalettes(); }

  // The colour for `key` under the current mode: an executable key, or in PerHour an hour (or, for the
  // timeline, an executable key too).
  ColorRef ColorOf(int32_t key) const;
  // The key a record is painted by: the hour of its start in PerHour, its executable otherwise.
  int32_t RecordColorKey(const ActivityRecord& record) const;
  ColorRef RecordColor(const ActivityRecord& record) const { return ColorOf(RecordColorKey(record)); }

  // Changes an existing colour; never creates a per-application entry.
  void SetColor(int32_t key, ColorRef color);
  // Appends to the palette of the current mode (Generic, PerHour only).
  void AddColor(ColorRef color);
  // PerApplication: drops the executable's entry and its pool reference. Generic and PerHour: removes
  // the palette entry at index `key`. True when something was removed.
  bool RemoveColor(int32_t key, StringPool& pool);
  // Back to the default palettes and no per-application colours; the mode stays.
  void ResetColors(StringPool& pool);
  // Gives every path in the pool a per-application entry (a palette colour by its key) if it has none,
  // and a UserColorRules reference.
  void AdoptPoolPaths(StringPool& pool);

  ColorMode mode = ColorMode::Generic;
  std::map<int32_t, ColorRef> appColors;
  std::vector<ColorRef> genericColors;
  std::vector<ColorRef> hourColors;

 private:
  void ResetPalettes();
  // The palette that the current mode indexes, or nullptr.
  std::vector<ColorRef>* Palette();
  const std::vector<ColorRef>* Palette() const;
};

// Asks for a colour, starting from `initial`; false when the user cancels.
using ColorChooser = std::function<bool(ColorRef initial, ColorRef* chosen)>;

// The main window's "色の変更": the chooser starts from the first selected record's colour, and the
// chosen colour is set for every selected record under the current mode. False when nothing is
// selected or the user cancels; then nothing changes.
bool ChangeRecordColors(ColorRules& rules, std::span<const ActivityRecord> selected, const ColorChooser& choose);

}  // namespace qm
