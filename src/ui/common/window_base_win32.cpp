#include "ui/common/window_base.h"

#include "ui/common/window_geometry.h"
#include "ui/text/localized_windows_win32.h"

namespace qm {

LRESULT WindowBase::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK WindowBase::ForwardingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* object = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  // Messages that arrive before the binding (none are expected) still get the default treatment.
  if (object == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return object->HandleMessage(window, message, wParam, lParam);
}

void WindowBase::Bind(HWND window) {
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForwardingProc));
}

// The template in the current language's font; the texts follow at WM_INITDIALOG.
INT_PTR DialogWindowBase::ShowModal(int templateId, HWND owner) {
  const std::vector<uint8_t> dialog = LocalizedDialogTemplate(templateId);
  if (dialog.empty()) return -1;
  return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), owner,
                                 &StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

HWND DialogWindowBase::ShowModeless(int templateId, HWND owner) {
  const std::vector<uint8_t> dialog = LocalizedDialogTemplate(templateId);
  if (dialog.empty()) return nullptr;
  return CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialog.data()), owner,
                                    &StaticDialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DialogWindowBase::StaticDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* object = reinterpret_cast<DialogWindowBase*>(lParam);
    object->previousProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
    SetWindowLongPtrW(window, GWLP_USERDATA, lParam);
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    LocalizeWindowTexts(window);
    object->HandleMessage(window, WM_INITDIALOG, wParam, lParam);
  }
  // The dialog's object decides the default focus itself.
  return 0;
}

LRESULT CALLBACK DialogWindowBase::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* object = reinterpret_cast<DialogWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (object == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  const INT_PTR result = object->HandleMessage(window, message, wParam, lParam);
  if (result != 0) return result;
  return CallWindowProcW(object->previousProc_, window, message, wParam, lParam);
}

bool CenterOnScreen(HWND window) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  const Point origin = CenteredOrigin({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)},
                                      {rect.right - rect.left, rect.bottom - rect.top});
  return MoveWindow(window, origin.x, origin.y, rect.right - rect.left, rect.bottom - rect.top, TRUE) != FALSE;
}

}  // namespace qm
