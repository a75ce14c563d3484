// What the Windows window system decides by itself, beyond the WindowSystem interface.
#pragma once

#include <windows.h>

namespace qm {

// A window without a caption that covers its whole monitor, and is not the desktop behind all
// windows. A maximised window keeps its caption, so a maximised document with a hidden taskbar does
// not count.
bool FillsItsScreen(HWND window);

}  // namespace qm
