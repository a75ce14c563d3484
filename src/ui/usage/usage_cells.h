// The application-usage window without its window: cell and header texts, row colours, sorting with
// the selection kept, and the colour change of the selected programs.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "color/color_rules.h"
#include "core/string_pool.h"
#include "output/usage_index_list.h"
#include "output/usage_order.h"
#include "storage/app_settings.h"
#include "ui/text/texts.h"

namespace qm {

inline constexpr int32_t kUsageColumnCount = 5;
inline constexpr TextId kUsageHeaders[kUsageColumnCount] = {
    TextId::RateHeader, TextId::DurationHeader, TextId::AverageHeader, TextId::ExeHeader, TextId::CountHeader};

// The plain name, or for the sort column the name and its arrow: "▽" descending, "△" ascending.
std::u16string UsageHeaderText(int32_t column, int32_t sortColumn, bool descending);

// The cell of `row` in `column` (a UsageColumn): the rate as "%2d.%02d" (empty when the day's total
// is 0), the duration and the average as "%d:%02d:%02d.%03d" (the average empty without records),
// the path (empty when missing), the count. Empty for a row without an entry.
std::u16string UsageCellText(const UsageIndexList& index, const StringPool& pool, uint32_t row, int32_t column);

// A row's background: white in PerHour (the rows are programs, not hours), else the program's colour.
ColorRef UsageRowColor(const ColorRules& rules, int32_t exeKey);

// Sorts by `column` in the stored direction and stores the column; fewer than two rows stay as they are.
void SortUsageRows(UsageIndexList& index, AppSettings& settings, const StringPool& pool, int32_t column);

// A click on a column header: the direction flips (whichever column it was), the rows are sorted by
// `column`, and the rows now showing the entries that `selectedRows` showed are returned.
std::vector<uint32_t> ClickUsageColumn(UsageIndexList& index, AppSettings& settings, const StringPool& pool,
                                       int32_t column, std::span<const uint32_t> selectedRows);

// "色の変更" for the programs on `selectedRows`: the chooser starts from the first one's colour and
// the choice goes to all of them under the current mode. False when there is nothing to change or
// the user cancels.
bool ChangeUsageColors(ColorRules& rules, const UsageIndexList& index, std::span<const uint32_t> selectedRows,
                       const ColorChooser& choose);

}  // namespace qm
