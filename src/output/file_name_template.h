// File names built from date templates such as "%y%M%D".
#pragma once

#include <string>
#include <string_view>

#include "platform/env.h"

namespace qm {

inline constexpr size_t kFileNameTemplateUnits = 260;
// Writing stops once a name has reached this many code units (an expansion under way completes).
inline constexpr size_t kFileNameStopUnits = 129;

// Expands the date specifiers of `pattern`; the characters \ / ? : * " > < | are dropped, so the
// result is always a single name. Unknown specifiers print as written.
std::u16string ExpandFileNameTemplate(const LocalTime& date, std::u16string_view pattern);

}  // namespace qm
