// Without a user locale to follow, texts sort by their code units.
#include "platform/text_compare.h"

namespace qm {

int CompareText(std::u16string_view a, std::u16string_view b) { return a.compare(b); }

}  // namespace qm
