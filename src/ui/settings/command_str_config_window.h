// The output-string window: the four line templates with their defaults and a test on sample data,
// and the line end. Run modally over the settings window; everything is stored when it closes.
#pragma once

#include <windows.h>

#include "ui/common/window_base.h"

namespace qm {

class CommandStrConfigWindow : public DialogWindowBase {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  void Run(HWND owner);

 private:
  void OnInitDialog(HWND window);
  void OnCommand(WORD id);
  void RestoreDefault(int slot);
  void TestTemplate(int slot);
  // Stores and compiles the templates; on closing, and when the window goes with its owner while open.
  void Store();
  void OnClose();
  void OnDestroy();

  HWND window_ = nullptr;
};

}  // namespace qm
