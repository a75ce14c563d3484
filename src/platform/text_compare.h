// The system's locale-aware comparison of two texts, as the list views sort titles and paths.
#pragma once

#include <string_view>

namespace qm {

// Negative, zero or positive as `a` sorts before, with or after `b`.
int CompareText(std::u16string_view a, std::u16string_view b);

}  // namespace qm
