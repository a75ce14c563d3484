// Binding of objects to windows: every message of a window reaches the virtual handler of its
// object. WindowBase serves the main window (a dialog template used as a plain window);
// DialogWindowBase serves the dialogs, which are subclassed so that their object sees each message
// first and the system's dialog processing gets what the object declines.
#pragma once

#include <windows.h>

namespace qm {

// The system's wide strings are our UTF-16 texts.
inline const wchar_t* Wide(const char16_t* text) { return reinterpret_cast<const wchar_t*>(text); }
inline wchar_t* Wide(char16_t* text) { return reinterpret_cast<wchar_t*>(text); }

class WindowBase {
 public:
  virtual ~WindowBase() = default;
  // The default passes everything to DefWindowProcW.
  virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  // The window procedure of a bound plain window: forwards to the object in the user data.
  static LRESULT CALLBACK ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  // Stores the object in the window's user data and makes ForwardingProc its window procedure.
  void Bind(HWND window);
};

class DialogWindowBase {
 public:
  virtual ~DialogWindowBase() = default;
  // Non-zero for a message handled completely; 0 leaves it to the standard dialog processing.
  virtual INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  INT_PTR ShowModal(int templateId, HWND owner);
  HWND ShowModeless(int templateId, HWND owner);

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  WNDPROC previousProc_ = nullptr;
};

// Moves the window, unchanged in size, to the middle of the screen.
bool CenterOnScreen(HWND window);

}  // namespace qm
