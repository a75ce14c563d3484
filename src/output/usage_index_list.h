// The usage window's display order: an index list over a UsageTable's entries, sorted by the
// clicked column, so the entries themselves never move.
#pragma once

#include <cstdint>
#include <vector>

#include "core/string_pool.h"
#include "output/usage_table.h"

namespace qm {

class UsageIndexList {
 public:
  // One row per entry, in entry order.
  void Rebuild(const UsageTable& table);
  // Orders the rows by `column` (0 rate, 1 duration, 2 average, 3 executable, 4 count) in the window's
  // direction; with fewer than two rows nothing changes.
  void Sort(int32_t column, bool descending, const StringPool& pool);

  // The entry shown on `row`, or nullptr.
  const AppUsageEntry* EntryOfRow(uint32_t row) const;
  // The index of the entry shown on `row` (which must exist).
  uint32_t EntryIndexOfRow(uint32_t row) const { return rows_[row].entryIndex; }
  // The row showing entry `entryIndex`; RowCount() when there is none.
  uint32_t RowOfEntry(uint32_t entryIndex) const;
  uint32_t RowCount() const { return static_cast<uint32_t>(rows_.size()); }
  const UsageTable* Table() const { return table_; }

 private:
  struct Row {
    uint32_t entryIndex;  // the entry shown on this row
    uint32_t position;    // the row on which entry (this element's index) is shown
  };
  const UsageTable* table_ = nullptr;
  std::vector<Row> rows_;
};

}  // namespace qm
