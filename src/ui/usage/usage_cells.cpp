#include "ui/usage/usage_cells.h"

#include <cstdio>

#include "output/usage_figures.h"
#include "platform/utf.h"
#include "ui/common/list_texts.h"

namespace qm {
namespace {

std::u16string RateCellText(const AppUsageEntry& entry, uint64_t grandTotal) {
  if (grandTotal == 0) return std::u16string();
  const UsageRate rate(entry.totalDuration, grandTotal);
  char text[48];
  std::snprintf(text, sizeof text, "%2llu.%02llu", static_cast<unsigned long long>(rate.percent),
                static_cast<unsigned long long>(rate.hundredths));
  return FromUtf8(text);
}

}  // namespace

std::u16string UsageHeaderText(int32_t column, int32_t sortColumn, bool descending) {
  if (column < 0 || column >= kUsageColumnCount) return std::u16string();
  std::u16string text = Tr(kUsageHeaders[column]);
  if (column == sortColumn) text += descending ? u" ▽" : u" △";
  return text;
}

std::u16string UsageCellText(const UsageIndexList& index, const StringPool& pool, uint32_t row, int32_t column) {
  const AppUsageEntry* entry = index.EntryOfRow(row);
  if (entry == nullptr) return std::u16string();
  switch (column) {
    case kUsageRate: return RateCellText(*entry, index.Table()->grandTotal);
    case kUsageDuration: return DurationCellText(entry->totalDuration);
    case kUsageAverage:
      return entry->count == 0 ? std::u16string() : DurationCellText(entry->totalDuration / entry->count);
    case kUsageExecutable: {
      const PoolEntry* path = pool.Find(entry->exeKey);
      return path != nullptr ? std::u16string(path->Text()) : std::u16string();
    }
    case kUsageCount: return FromUtf8(std::to_string(entry->count));
    default: return std::u16string();
  }
}

ColorRef UsageRowColor(const ColorRules& rules, int32_t exeKey) {
  return rules.mode == ColorMode::PerHour ? kWhite : rules.ColorOf(exeKey);
}

void SortUsageRows(UsageIndexList& index, AppSettings& settings, const StringPool& pool, int32_t column) {
  if (index.RowCount() < 2) return;
  settings.usageSortColumn = column;
  index.Sort(column, settings.usageSortDescending != 0, pool);
}

std::vector<uint32_t> ClickUsageColumn(UsageIndexList& index, AppSettings& settings, const StringPool& pool,
                                       int32_t column, std::span<const uint32_t> selectedRows) {
  std::vector<uint32_t> entries;
  for (uint32_t row : selectedRows) {
    if (index.EntryOfRow(row) != nullptr) entries.push_back(index.EntryIndexOfRow(row));
  }
  settings.usageSortDescending = settings.usageSortDescending ? 0 : 1;
  SortUsageRows(index, settings, pool, column);
  std::vector<uint32_t> rows;
  for (uint32_t entry : entries) rows.push_back(index.RowOfEntry(entry));
  return rows;
}

bool ChangeUsageColors(ColorRules& rules, const UsageIndexList& index, std::span<const uint32_t> selectedRows,
                       const ColorChooser& choose) {
  if (selectedRows.empty() || index.EntryOfRow(selectedRows.front()) == nullptr) return false;
  ColorRef chosen = 0;
  if (!choose(rules.ColorOf(index.EntryOfRow(selectedRows.front())->exeKey), &chosen)) return false;
  for (uint32_t row : selectedRows) {
    if (const AppUsageEntry* entry = index.EntryOfRow(row)) rules.SetColor(entry->exeKey, chosen);
  }
  return true;
}

}  // namespace qm
