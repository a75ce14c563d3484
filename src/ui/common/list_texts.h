// The texts of the main list: cells, column headers with their sort arrows, and the total line of the
// selected rows; and the check of a stored column order that every list applies.
#pragma once

#include <cstdint>
#include <string>

#include "ui/text/texts.h"

namespace qm {

inline constexpr TextId kListHeaders[4] = {TextId::TimeHeader, TextId::DurationHeader, TextId::TitleHeader,
                                           TextId::ExeHeader};
// The executable column of a record whose path is not in the pool.
inline constexpr char16_t kNoExecutable[] = u"none";

// "%02d:%02d:%02d" of a start time.
std::u16string StartCellText(uint32_t startMs);
// "%d:%02d:%02d.%03d" of a duration.
std::u16string DurationCellText(uint64_t durationMs);
// The header of `column` with the sort arrow: "▽" ascending, "△" descending.
std::u16string SortedHeaderText(int32_t column, bool ascending);
// "total 0:03.500" up to an hour, "total 1:00:00.01" above (the milliseconds printed with "%02d"); the
// word in the current language.
std::u16string TotalLineText(uint32_t totalMs);

// True when `order` is a permutation of 0 to count - 1, as a list view's column order must be; a
// damaged settings file may hold anything in a stored order.
bool IsColumnOrder(const int32_t* order, int count);

}  // namespace qm
