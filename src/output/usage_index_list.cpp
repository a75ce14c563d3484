#include "output/usage_index_list.h"

#include <algorithm>

#include "output/usage_order.h"

namespace qm {

void UsageIndexList::Rebuild(const UsageTable& table) {
  table_ = &table;
  rows_.resize(table.entries.size());
  for (uint32_t i = 0; i < rows_.size(); ++i) rows_[i] = {i, i};
}

void UsageIndexList::Sort(int32_t column, bool descending, const StringPool& pool) {
  if (table_ == nullptr || rows_.size() < 2 || rows_.size() != table_->entries.size()) return;
  const std::vector<AppUsageEntry>& entries = table_->entries;
  std::sort(rows_.begin(), rows_.end(), [&](const Row& a, const Row& b) {
    return UsageWindowBefore(entries[a.entryIndex], entries[b.entryIndex], column, descending, pool);
  });
  for (uint32_t r = 0; r < rows_.size(); ++r) rows_[rows_[r].entryIndex].position = r;
}

const AppUsageEntry* UsageIndexList::EntryOfRow(uint32_t row) const {
  if (table_ == nullptr || row >= rows_.size()) return nullptr;
  const uint32_t index = rows_[row].entryIndex;
  return index < table_->entries.size() ? &table_->entries[index] : nullptr;
}

uint32_t UsageIndexList::RowOfEntry(uint32_t entryIndex) const {
  return entryIndex < rows_.size() ? rows_[entryIndex].position : RowCount();
}

}  // namespace qm
