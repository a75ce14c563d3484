#include "ui/common/dialog_controls.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "ui/common/dpi_scale.h"
#include "ui/common/dpi_win32.h"
#include "ui/common/list_texts.h"
#include "ui/text/localized_windows_win32.h"
#include "ui/common/window_base.h"

namespace qm {

void SetSmallIcon(HWND window, int iconId) {
  const HICON icon = IconAtDpi(iconId, true, WindowDpi(window));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

Rect ControlRectInClient(HWND window, HWND control) {
  RECT r = {};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right, r.bottom};
}

Size ClientSizeOf(HWND window) {
  RECT r = {};
  GetClientRect(window, &r);
  return {r.right, r.bottom};
}

void MoveControl(HWND control, const Rect& r) {
  SetWindowPos(control, nullptr, r.left, r.top, r.Width(), r.Height(), SWP_NOZORDER);
}

bool AskYesNo(HWND owner, TextId question) {
  return MessageBoxW(owner, Wide(Tr(question)), Wide(Tr(TextId::ConfirmCaption)), MB_YESNO | MB_ICONQUESTION) == IDYES;
}

std::u16string ControlText(HWND dialog, int controlId, size_t maxUnits) {
  std::vector<wchar_t> text(maxUnits + 1, L'\0');
  const UINT length = GetDlgItemTextW(dialog, controlId, text.data(), static_cast<int>(text.size()));
  return std::u16string(reinterpret_cast<const char16_t*>(text.data()), length);
}

void SetControlText(HWND dialog, int controlId, std::u16string_view text) {
  SetDlgItemTextW(dialog, controlId, Wide(std::u16string(text).c_str()));
}

void AddListColumns(HWND list, int count, const TextId* headers, const int* formats, const int32_t* widths,
                    const int32_t* order) {
  for (int c = 0; c < count; ++c) {
    LVCOLUMNW column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = formats[c];
    column.cx = ToDpi(widths[c], WindowDpi(list));
    column.pszText = const_cast<wchar_t*>(Wide(Tr(headers[c])));
    column.iSubItem = c;
    ListView_InsertColumn(list, c, &column);
  }
  if (order == nullptr || !IsColumnOrder(order, count)) return;
  std::vector<int> columns(order, order + count);
  ListView_SetColumnOrderArray(list, count, columns.data());
}

void StoreListColumnWidths(HWND list, int count, int32_t* widths) {
  const uint32_t dpi = WindowDpi(list);
  for (int c = 0; c < count; ++c) widths[c] = FromDpi(ListView_GetColumnWidth(list, c), dpi);
}

void RescaleListColumns(HWND list, int count, uint32_t fromDpi, uint32_t toDpi) {
  for (int c = 0; c < count; ++c)
    ListView_SetColumnWidth(list, c, Rescale(ListView_GetColumnWidth(list, c), fromDpi, toDpi));
}

void TrackMenuResource(HWND owner, const wchar_t* name, UINT flags, const std::vector<WORD>& greyed) {
  HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), name);
  if (menu == nullptr) return;
  LocalizeMenu(menu);
  HMENU popup = GetSubMenu(menu, 0);
  for (WORD id : greyed) EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED);
  POINT cursor = {};
  GetCursorPos(&cursor);
  TrackPopupMenu(popup, flags, cursor.x, cursor.y, 0, owner, nullptr);
  DestroyMenu(menu);
}

}  // namespace qm
