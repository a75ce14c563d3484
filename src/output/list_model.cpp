#include "output/list_model.h"

#include <algorithm>

#include "platform/text_compare.h"

namespace qm {
namespace {

std::u16string_view PathOf(const DayLog& day, uint32_t index, const StringPool& pool) {
  const PoolEntry* entry = pool.Find(static_cast<int32_t>(day.Header(index).exeKey));
  return entry != nullptr ? entry->Text() : std::u16string_view();
}

// Negative, zero or positive as record a sorts before, with or after record b in `column`. A missing
// path sorts below every present one.
int CompareRecords(const DayLog& day, uint32_t a, uint32_t b, int32_t column, const StringPool& pool) {
  switch (column) {
    case kListDuration: {
      const uint32_t da = day.Header(a).duration, db = day.Header(b).duration;
      return (da > db) - (da < db);
    }
    case kListTitle: return CompareText(day.Title(a), day.Title(b));
    case kListExecutable: {
      const bool hasA = pool.Find(static_cast<int32_t>(day.Header(a).exeKey)) != nullptr;
      const bool hasB = pool.Find(static_cast<int32_t>(day.Header(b).exeKey)) != nullptr;
      if (!hasA || !hasB) return hasA - hasB;
      return CompareText(PathOf(day, a, pool), PathOf(day, b, pool));
    }
    default: {
      const uint32_t sa = day.Header(a).start, sb = day.Header(b).start;
      return (sa > sb) - (sa < sb);
    }
  }
}

}  // namespace

void ListModel::Rebuild(const DayLog& source) {
  source_ = &source;
  rows_.clear();
  AppendNew();
}

void ListModel::AppendNew() {
  if (source_ == nullptr) return;
  rows_.reserve(source_->Count());
  for (uint32_t k = RowCount(); k < source_->Count(); ++k) rows_.push_back({k, k});
}

const uint8_t* ListModel::RecordOfRow(uint32_t row) const {
  if (source_ == nullptr || row >= rows_.size()) return nullptr;
  return source_->At(rows_[row].recordIndex);
}

uint32_t ListModel::RowOfRecord(uint32_t recordIndex) const {
  return recordIndex < rows_.size() ? rows_[recordIndex].position : RowCount();
}

void ListModel::SortByColumn(int32_t column, bool ascending, const StringPool& pool) {
  if (source_ == nullptr || rows_.size() < 2) return;
  const DayLog& day = *source_;
  // Rows may outnumber the records when the source was emptied under them; those sort last.
  std::vector<uint32_t> order(rows_.size());
  for (size_t i = 0; i < rows_.size(); ++i) order[i] = rows_[i].recordIndex;
  const auto partition = std::partition(order.begin(), order.end(), [&](uint32_t r) { return r < day.Count(); });
  std::sort(order.begin(), partition, [&](uint32_t a, uint32_t b) {
    const int c = CompareRecords(day, a, b, column, pool);
    return ascending ? c < 0 : c > 0;
  });
  for (size_t i = 0; i < order.size(); ++i) rows_[i].recordIndex = order[i];
  for (size_t i = 0; i < rows_.size(); ++i) rows_[rows_[i].recordIndex].position = static_cast<uint32_t>(i);
}

}  // namespace qm
