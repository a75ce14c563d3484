// The system's open and save dialogs over a FileDialogState, which remembers the folder and the last
// chosen file of one kind of file across runs.
#pragma once

#include <windows.h>

#include "platform/env.h"
#include "storage/app_settings.h"

namespace qm {

// A filter list: label and pattern pairs, each 0-terminated, ending with an empty string.
using FilterList = const wchar_t*;

// Returns the filter index the user ended with (1 = first), 0 when cancelled.
int ShowSaveDialog(FileDialogState& state, Env& env, HWND owner, FilterList filters, const wchar_t* defaultExtension,
                   int filterIndex);
// True when a file was chosen; its path is then in `fullPath`.
bool ShowOpenDialog(FileDialogState& state, Env& env, HWND owner, FilterList filters,
                    const wchar_t* defaultExtension);

}  // namespace qm
