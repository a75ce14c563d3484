#include "ui/common/file_dialog.h"

#include <commdlg.h>

#include <algorithm>

#include "output/file_dialog_state.h"
#include "ui/common/window_base.h"

namespace qm {
namespace {


OPENFILENAMEW DialogFor(FileDialogState& state, HWND owner, FilterList filters, const wchar_t* defaultExtension) {
  OPENFILENAMEW dialog = {};
  dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filters;
  dialog.lpstrFile = Wide(state.fullPath);
  dialog.nMaxFile = kPathUnits;
  dialog.lpstrFileTitle = Wide(state.fileTitle);
  dialog.nMaxFileTitle = kFileNameUnits;
  dialog.lpstrInitialDir = Wide(state.folder);
  dialog.lpstrDefExt = defaultExtension;
  return dialog;
}

}  // namespace

std::u16string Filters(std::initializer_list<FilterEntry> entries) {
  std::u16string list;
  for (const FilterEntry& entry : entries) {
    list.append(Tr(entry.label)).push_back(u'\0');
    list.append(entry.pattern).push_back(u'\0');
  }
  return list;  // the string's own terminator ends the list
}

int ShowSaveDialog(FileDialogState& state, Env& env, HWND owner, FilterList filters, const wchar_t* defaultExtension,
                   int filterIndex) {
  StripProposedExtension(state, env);
  OPENFILENAMEW dialog = DialogFor(state, owner, filters, defaultExtension);
  dialog.nFilterIndex = static_cast<DWORD>(filterIndex);
  // A save dialog has to accept names that do not exist yet, so no "file must exist" here.
  dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT;
  if (!GetSaveFileNameW(&dialog)) return 0;
  RememberChosenFile(state, env);
  return static_cast<int>(std::max<DWORD>(dialog.nFilterIndex, 1));
}

bool ShowOpenDialog(FileDialogState& state, Env& env, HWND owner, FilterList filters,
                    const wchar_t* defaultExtension) {
  std::fill(std::begin(state.fullPath), std::end(state.fullPath), u'\0');
  OPENFILENAMEW dialog = DialogFor(state, owner, filters, defaultExtension);
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (!GetOpenFileNameW(&dialog)) return false;
  RememberChosenFile(state, env);
  return true;
}

}  // namespace qm
