// The system's open and save dialogs over a FileDialogState, which remembers the folder and the last
// chosen file of one kind of file across runs.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "platform/env.h"
#include "storage/app_settings.h"
#include "ui/text/texts.h"

namespace qm {

// A filter list: label and pattern pairs, each 0-terminated, ending with an empty string.
using FilterList = const wchar_t*;

struct FilterEntry {
  TextId label;
  const char16_t* pattern;
};
// The filter list of `entries` with their labels in the current language; hand over its data().
std::u16string Filters(std::initializer_list<FilterEntry> entries);
// Colour files, opened and saved from the main window and the colour settings window.
inline std::u16string ColorFilters() { return Filters({{TextId::ColorFilesFilter, u"*.color"}}); }

// Returns the filter index the user ended with (1 = first), 0 when cancelled.
int ShowSaveDialog(FileDialogState& state, Env& env, HWND owner, FilterList filters, const wchar_t* defaultExtension,
                   int filterIndex);
// True when a file was chosen; its path is then in `fullPath`.
bool ShowOpenDialog(FileDialogState& state, Env& env, HWND owner, FilterList filters,
                    const wchar_t* defaultExtension);

}  // namespace qm
