#include "ui/common/dpi_win32.h"

#include <map>
#include <utility>

#include "ui/common/dpi_scale.h"

namespace qm {
namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Windows 10 (1607) and later; looked up so that the program still starts on older systems.
GetDpiForWindowFunction DpiForWindow() {
  static const auto function = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

uint32_t SystemDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<uint32_t>(dpi) : kBaseDpi;
}

// Icons sized for a DPI are not shared by the system, so they are kept here.
class IconCache {
 public:
  ~IconCache() {
    for (const auto& [key, icon] : icons_) DestroyIcon(icon);
  }
  HICON Get(int iconId, int side) {
    const auto key = std::pair(iconId, side);
    const auto it = icons_.find(key);
    if (it != icons_.end()) return it->second;
    auto icon = static_cast<HICON>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId), IMAGE_ICON, side, side, LR_DEFAULTCOLOR));
    if (icon != nullptr) icons_[key] = icon;
    return icon;
  }

 private:
  std::map<std::pair<int, int>, HICON> icons_;
};

BOOL CALLBACK SetFontOfChild(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

}  // namespace

uint32_t WindowDpi(HWND window) {
  if (const auto function = DpiForWindow()) {
    const UINT dpi = function(window);
    if (dpi != 0) return dpi;
  }
  return SystemDpi();
}

HICON IconAtDpi(int iconId, bool small, uint32_t dpi) {
  static IconCache cache;
  return cache.Get(iconId, IconSide(small, dpi));
}

void SetWindowIcons(HWND window, int iconId) {
  const uint32_t dpi = WindowDpi(window);
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(IconAtDpi(iconId, true, dpi)));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(IconAtDpi(iconId, false, dpi)));
}

HFONT RescaledFont(HFONT font, uint32_t fromDpi, uint32_t toDpi) {
  LOGFONTW face = {};
  if (font == nullptr || GetObjectW(font, sizeof face, &face) == 0) return nullptr;
  face.lfHeight = Rescale(face.lfHeight, fromDpi, toDpi);
  face.lfWidth = Rescale(face.lfWidth, fromDpi, toDpi);
  return CreateFontIndirectW(&face);
}

void SetFontOfAll(HWND window, HFONT font) {
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  EnumChildWindows(window, &SetFontOfChild, reinterpret_cast<LPARAM>(font));
}

}  // namespace qm
