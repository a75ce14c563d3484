#include "ui/search/search_matching.h"

#include <algorithm>

namespace qm {
namespace {

bool Contains(std::u16string_view text, std::u16string_view part) {
  return !part.empty() && text.find(part) != std::u16string_view::npos;
}

bool RowMatches(const ListModel& list, const SearchQuery& query, uint32_t row) {
  const uint8_t* record = list.RecordOfRow(row);
  if (record == nullptr) return false;
  if (Contains(RecordTitle(record), query.title)) return true;
  const auto key = static_cast<int32_t>(ReadRecordHeader(record).exeKey);
  return std::binary_search(query.exeKeys.begin(), query.exeKeys.end(), key);
}

}  // namespace

bool MatchingExeKeys(const StoredState& app, const ListModel& list, std::u16string_view text,
                     std::vector<int32_t>& keys) {
  // The list's source, not its date, tells whose paths these are: today's log opened as a file is a
  // viewed day.
  const uint16_t user = list.Source() == &app.sampler.day ? UserCurrentDay : UserViewedDay;
  keys.clear();
  for (const auto& [key, entry] : app.pool.Entries()) {
    if ((entry.users & user) != 0 && Contains(entry.Text(), text)) keys.push_back(key);
  }
  return !keys.empty();
}

SearchQuery MakeSearchQuery(const StoredState& app, const ListModel& list, std::u16string_view text, bool inTitle,
                            bool inExe) {
  SearchQuery query;
  if (inExe) MatchingExeKeys(app, list, text, query.exeKeys);
  if (inTitle) query.title = text;
  return query;
}

int32_t FindMatchingRow(const ListModel& list, const SearchQuery& query, int32_t start, bool forward) {
  const auto rows = static_cast<int32_t>(list.RowCount());
  if (list.Source() == nullptr || rows == 0 || (query.title.empty() && query.exeKeys.empty())) return -1;
  if (forward) {
    for (int32_t row = std::max(start, 0); row < rows; ++row) {
      if (RowMatches(list, query, static_cast<uint32_t>(row))) return row;
    }
  } else {
    for (int32_t row = std::min(start, rows - 1); row >= 0; --row) {
      if (RowMatches(list, query, static_cast<uint32_t>(row))) return row;
    }
  }
  return -1;
}

std::vector<uint32_t> AllMatchingRows(const ListModel& list, const SearchQuery& query, int32_t firstSelected) {
  std::vector<uint32_t> rows;
  for (int32_t row = FindMatchingRow(list, query, DownwardStart(firstSelected), true); row != -1;
       row = FindMatchingRow(list, query, row + 1, true)) {
    rows.push_back(static_cast<uint32_t>(row));
  }
  return rows;
}

}  // namespace qm
