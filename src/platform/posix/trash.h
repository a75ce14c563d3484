// The freedesktop.org trash (version 1.0 of its layout) in the user's home trash folder.
#pragma once

#include <string>

#include "platform/env.h"

namespace qm {

// $XDG_DATA_HOME/Trash, or ~/.local/share/Trash; empty when neither can be determined.
std::string HomeTrashFolder();

// Moves the file or folder into the home trash with a .trashinfo record, so that a file manager can
// restore it to its place. False, with the file left where it was, on any failure.
bool MoveToTrash(const std::string& path, const LocalTime& deletedAt);

}  // namespace qm
