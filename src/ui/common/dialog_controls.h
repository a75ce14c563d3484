// Small helpers the dialogs share: their icon, the yes/no confirmation, control texts and list
// columns (list cells and the colour chooser are in list_view.h).
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "color/default_palette.h"
#include "storage/app_settings.h"
#include "ui/common/window_geometry.h"
#include "ui/text/texts.h"

namespace qm {

// Sets the window's small icon from an icon resource, at the size the window's DPI asks for.
void SetSmallIcon(HWND window, int iconId);

// A control's rectangle in the client coordinates of `window`; the size of a window's client area;
// a control moved and sized to `r` (client coordinates).
Rect ControlRectInClient(HWND window, HWND control);
Size ClientSizeOf(HWND window);
void MoveControl(HWND control, const Rect& r);

// The question box captioned "確認" with Yes and No; true on Yes.
bool AskYesNo(HWND owner, TextId question);

// Shows the first submenu of menu resource `name` at the cursor, the `greyed` items disabled; the
// menu is destroyed afterwards.
void TrackMenuResource(HWND owner, const wchar_t* name, UINT flags, const std::vector<WORD>& greyed = {});

// At most `maxUnits` code units of a control's text.
std::u16string ControlText(HWND dialog, int controlId, size_t maxUnits);
void SetControlText(HWND dialog, int controlId, std::u16string_view text);

// Inserts `count` report-view columns with their headers, alignments (LVCFMT_*) and widths, then
// puts them in `order` unless that is null or not an order of them. Widths are stored in 96-DPI
// units, so that a settings file moves between monitors without its columns growing or shrinking;
// they are shown at the list's DPI.
void AddListColumns(HWND list, int count, const TextId* headers, const int* formats, const int32_t* widths,
                    const int32_t* order);
// The columns' widths in 96-DPI units, for the settings.
void StoreListColumnWidths(HWND list, int count, int32_t* widths);
// The columns' widths after a move from a monitor of `fromDpi` to one of `toDpi`.
void RescaleListColumns(HWND list, int count, uint32_t fromDpi, uint32_t toDpi);

}  // namespace qm
