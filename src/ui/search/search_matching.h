// What the search window looks for in the main window's rows: a text in the titles (exact,
// case-sensitive) and/or the records whose executable path contains it. No window here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/list_model.h"
#include "storage/stored_state.h"

namespace qm {

struct SearchQuery {
  std::u16string title;          // looked for in titles; empty: titles are not searched
  std::vector<int32_t> exeKeys;  // ascending; empty: paths are not searched
};

// The keys, ascending, of the pool's paths that contain `text` and belong to the list's own day: the
// day being recorded or the viewed day, whichever the list shows, whatever its date. False when none.
bool MatchingExeKeys(const StoredState& app, const ListModel& list, std::u16string_view text,
                     std::vector<int32_t>& keys);

// The query of the search commands: the text in titles when `inTitle`, the matching paths when
// `inExe`. With neither, nothing matches.
SearchQuery MakeSearchQuery(const StoredState& app, const ListModel& list, std::u16string_view text, bool inTitle,
                            bool inExe);

// The first matching row from `start` towards the end (forward) or towards row 0; -1 when none.
int32_t FindMatchingRow(const ListModel& list, const SearchQuery& query, int32_t start, bool forward);

// Where the commands start, given the first or last selected row of the list view (-1 for none):
// downward and select-all after the first selected row, upward above the last one, and row 0 itself
// when that is row 0 or nothing is selected.
inline int32_t DownwardStart(int32_t firstSelected) { return firstSelected + 1; }
inline int32_t UpwardStart(int32_t lastSelected) { return lastSelected >= 1 ? lastSelected - 1 : 0; }

// Every matching row below the first selected one (from row 0 when none is selected), in order.
std::vector<uint32_t> AllMatchingRows(const ListModel& list, const SearchQuery& query, int32_t firstSelected);

}  // namespace qm
