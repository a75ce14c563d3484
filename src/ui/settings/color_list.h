// The colour settings window's list without a window: its rows for the current mode, their order,
// the cell and header texts, deletion and the placement the window stores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "color/color_rules.h"
#include "storage/app_settings.h"
#include "ui/text/texts.h"

namespace qm {

inline constexpr TextId kColorListHeaders[2] = {TextId::ColorKeyHeader, TextId::ColorHeader};
inline constexpr int kColorKeyColumn = 0;
inline constexpr int kColorValueColumn = 1;

// One row: the executable key (PerApplication) or the palette index, and its place in the list.
struct ColorEntry {
  int32_t key = 0;
  int32_t position = 0;
};

// The rows of the current mode in their natural order: per application in ascending key order, per
// palette index otherwise, none in NoColor.
std::vector<ColorEntry> ColorRowsOf(const ColorRules& rules);

// Sorts by the colour (as unsigned numbers) or by the first column: the path in the system's text
// order per application, the index otherwise. Positions become the new indexes.
void SortColorRows(std::vector<ColorEntry>& rows, int column, bool ascending, const ColorRules& rules,
                   const StringPool& pool);

// The first column: the executable's path ("" when the pool lacks it) or the index.
std::u16string ColorKeyText(const ColorRules& rules, const StringPool& pool, int32_t key);
// The colour as RRGGBB in hexadecimal: a COLORREF 0x00BBGGRR with red and blue swapped.
std::u16string ColorValueText(ColorRef color);
// A header: its plain name, or for the sorted column the name with "▽" (ascending) or "△".
std::u16string ColorHeaderText(int column, int sortedColumn, bool ascending);

// Removes the colours of `keys` from the highest key down, so that removing a palette index never
// moves an index still to be removed.
void RemoveColors(ColorRules& rules, StringPool& pool, std::vector<int32_t> keys);

// The placement to store: a window closed while minimised comes back restored, or maximised if it
// was maximised before.
WindowPlacement PlacementToStore(WindowPlacement placement);

}  // namespace qm
