// Small pieces that every owner-data list view and colour command of the program needs.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "color/default_palette.h"

namespace qm {

// The selected rows in ascending order.
inline std::vector<uint32_t> SelectedListRows(HWND list) {
  std::vector<uint32_t> rows;
  for (int row = ListView_GetNextItem(list, -1, LVNI_SELECTED); row != -1;
       row = ListView_GetNextItem(list, row, LVNI_SELECTED)) {
    rows.push_back(static_cast<uint32_t>(row));
  }
  return rows;
}

// Copies as much of `text` as the list's buffer for a cell holds.
inline void CopyToCell(const NMLVDISPINFOW& info, std::u16string_view text) {
  if (info.item.pszText == nullptr || info.item.cchTextMax <= 0) return;
  const size_t length = std::min<size_t>(text.size(), static_cast<size_t>(info.item.cchTextMax) - 1);
  std::copy_n(text.data(), length, reinterpret_cast<char16_t*>(info.item.pszText));
  info.item.pszText[length] = L'\0';
}

// The system's colour dialog, fully open, starting from `initial`, with the 16 custom colours of the
// settings; false when the user cancels.
inline bool ChooseColorFrom(HWND owner, ColorRef initial, uint32_t* customColors, ColorRef* chosen) {
  CHOOSECOLORW dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.rgbResult = initial;
  dialog.lpCustColors = reinterpret_cast<COLORREF*>(customColors);
  dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!ChooseColorW(&dialog)) return false;
  *chosen = dialog.rgbResult;
  return true;
}

}  // namespace qm
