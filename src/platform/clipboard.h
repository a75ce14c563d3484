// Text handed to the system clipboard.
#pragma once

#include <string>

namespace qm {

// Replaces the clipboard's contents with `text` as Unicode text (an empty text included). False when
// the clipboard could not be opened or set, or where the system has no clipboard.
bool CopyTextToClipboard(const std::u16string& text);

}  // namespace qm
