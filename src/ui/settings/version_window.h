// The version window: the program's name, its version and a line about it, shown modelessly over the
// main window; it goes away as soon as another window is activated.
#pragma once

#include <windows.h>

#include "ui/common/window_base.h"

namespace qm {

class VersionWindow : public DialogWindowBase {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // A new window on every call; one still shown closes on its own when it loses activation.
  void Show(HWND owner);
  // The window last shown while it exists, else null.
  HWND Handle() const { return window_; }

 private:
  void OnInitDialog(HWND window);
  void OnClose(HWND window);

  HWND window_ = nullptr;
};

}  // namespace qm
