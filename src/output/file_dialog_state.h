// What the open and save dialogs remember in a FileDialogState: the folder to open in, the chosen
// file's name and full path. The dialogs themselves are the system's; this is the bookkeeping around
// them.
#pragma once

#include <string_view>

#include "platform/env.h"
#include "storage/app_settings.h"

namespace qm {

// Paths and names kept two units short of their arrays, as the dialogs have always done.
inline constexpr size_t kDialogPathLimit = kPathUnits - 2;
inline constexpr size_t kDialogNameLimit = kFileNameUnits - 2;

// Offers `name` in the dialog's folder as the next file: full path, folder and file title.
void ProposeFileName(FileDialogState& state, Env& env, std::u16string_view name);
// A save dialog shows the proposed name without its extension; the filter adds the chosen one.
void StripProposedExtension(FileDialogState& state, Env& env);
// After the user chose `fullPath`: its folder and file name become the ones remembered.
void RememberChosenFile(FileDialogState& state, Env& env);

}  // namespace qm
