// The search window's most-recent-first list of search strings.
#pragma once

namespace qm {

class SearchHistory {};

}  // namespace qm
