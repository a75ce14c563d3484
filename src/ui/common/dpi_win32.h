// The DPI of the monitor a window is on, and what depends on it: icons at the size it asks for, a
// window's font after a move to another monitor.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <type_traits>

namespace qm {

// The DPI of `window`'s monitor; the system's DPI where Windows cannot tell per window (before
// Windows 10), and 96 when that cannot be read either.
uint32_t WindowDpi(HWND window);

// Icon resource `iconId` at the size of a small (16 at 96 DPI) or large (32) icon at `dpi`. Each
// size is loaded once and kept for the process's life, like a shared icon.
HICON IconAtDpi(int iconId, bool small, uint32_t dpi);
// Sets the window's small and large icons from `iconId` at the window's DPI.
void SetWindowIcons(HWND window, int iconId);

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// A copy of `font` whose height is rescaled from `fromDpi` to `toDpi`; null when GDI refuses. The
// caller deletes it.
HFONT RescaledFont(HFONT font, uint32_t fromDpi, uint32_t toDpi);
// Gives `window` and all its descendants `font`, redrawing them.
void SetFontOfAll(HWND window, HFONT font);

}  // namespace qm
