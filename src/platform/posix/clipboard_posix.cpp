// The native build runs without a desktop session: there is no clipboard to reach.
#include "platform/clipboard.h"

namespace qm {

bool CopyTextToClipboard(const std::u16string&) { return false; }

}  // namespace qm
