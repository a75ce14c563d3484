#include "ui/settings/version_window.h"

#include "ui/common/dialog_controls.h"
#include "ui/common/resource_ids.h"

namespace qm {

void VersionWindow::Show(HWND owner) { ShowModeless(IDD_VERSION, owner); }

INT_PTR VersionWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) return 0;
      PostMessageW(window, WM_CLOSE, 0, 0);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDC_CLOSE_BUTTON) return 0;
      PostMessageW(window, WM_CLOSE, 0, 0);
      return TRUE;
    case WM_CLOSE: OnClose(window); return TRUE;
    default: return 0;
  }
}

void VersionWindow::OnInitDialog(HWND window) {
  window_ = window;
  SetSmallIcon(window, IDI_QUILLMERE);
  CenterOnScreen(window);
  ShowWindow(window, SW_SHOWNORMAL);
}

void VersionWindow::OnClose(HWND window) {
  // Modeless: destroyed, not merely ended, or every opening would leave a hidden window behind.
  if (window == window_) window_ = nullptr;
  DestroyWindow(window);
}

}  // namespace qm
