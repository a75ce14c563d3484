// The main window's row table: which record each list row shows, and on which row each record is.
// The records themselves stay in their DayLog in the order they were recorded.
#pragma once

#include <cstdint>
#include <vector>

#include "core/day_log.h"
#include "core/string_pool.h"
#include "platform/env.h"

namespace qm {

enum ListColumn : int32_t { kListStart, kListDuration, kListTitle, kListExecutable };

struct ListRow {
  uint32_t recordIndex;  // the record shown on this row
  uint32_t position;     // the row on which record (this element's index) is shown
};

struct ShownDate {
  uint16_t year = 0;
  uint16_t month = 0;
  uint16_t day = 0;  // all 0 when the shown log came from a file whose name is not a date
};

// True when `shown` is the date of `time`.
inline bool ShowsDate(const ShownDate& shown, const LocalTime& time) {
  return shown.year == time.year && shown.month == time.month && shown.day == time.day;
}

class ListModel {
 public:
  // Rows 0..n-1 in record order.
  void Rebuild(const DayLog& source);
  // Rows for the records the source gained since the last rebuild or append.
  void AppendNew();
  // The record shown on `row`, or nullptr when there is none (also when the source lost its records).
  const uint8_t* RecordOfRow(uint32_t row) const;
  // The record index shown on `row` (which must exist).
  uint32_t RecordIndexOfRow(uint32_t row) const { return rows_[row].recordIndex; }
  // The row on which record `recordIndex` is shown; RowCount() when there is no such record.
  uint32_t RowOfRecord(uint32_t recordIndex) const;
  // Orders the rows by start, duration, title or executable path; with fewer than two rows nothing
  // changes. Equal keys end in no defined order.
  void SortByColumn(int32_t column, bool ascending, const StringPool& pool);

  uint32_t RowCount() const { return static_cast<uint32_t>(rows_.size()); }
  const DayLog* Source() const { return source_; }

  ShownDate shownDate;

 private:
  const DayLog* source_ = nullptr;
  std::vector<ListRow> rows_;
};

}  // namespace qm
