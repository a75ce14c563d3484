#include "ui/settings/command_str_config_window.h"

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/resource_ids.h"
#include "ui/settings/template_sample.h"

namespace qm {
namespace {

// Slot k of the templates is edit IDC_LIST_TEXT_TEMPLATE + k, restored by the button 10 above it and
// tested by the one 20 above it.
constexpr int kTemplateCount = 4;
constexpr int kRestoreOffset = IDC_LIST_TEXT_DEFAULT - IDC_LIST_TEXT_TEMPLATE;
constexpr int kTestOffset = IDC_LIST_TEXT_TEST - IDC_LIST_TEXT_TEMPLATE;

TemplateSlot SlotOf(int k) { return static_cast<TemplateSlot>(k); }

}  // namespace

void CommandStrConfigWindow::Run(HWND owner) { ShowModal(IDD_COMMAND_STR_CONFIG, owner); }

INT_PTR CommandStrConfigWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return TRUE;
    case WM_COMMAND: OnCommand(LOWORD(wParam)); return TRUE;
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_DESTROY: OnDestroy(); return 0;
    default: return 0;
  }
}

void CommandStrConfigWindow::OnInitDialog(HWND window) {
  window_ = window;
  AppSettings& settings = App().settings;
  for (int k = 0; k < kTemplateCount; ++k) {
    SendDlgItemMessageW(window_, IDC_LIST_TEXT_TEMPLATE + k, EM_LIMITTEXT, kTemplateEditUnits, 0);
    SetControlText(window_, IDC_LIST_TEXT_TEMPLATE + k, ArrayText(TemplateField(settings, SlotOf(k))));
  }
  if (settings.newlineMode == 0) CheckDlgButton(window_, IDC_NEWLINE_LF, BST_CHECKED);
  if (settings.newlineMode == 1) CheckDlgButton(window_, IDC_NEWLINE_CRLF, BST_CHECKED);
  SetSmallIcon(window_, IDI_TEMPLATES);
}

void CommandStrConfigWindow::OnCommand(WORD id) {
  const int k = id - IDC_LIST_TEXT_TEMPLATE;
  if (k >= kRestoreOffset && k < kRestoreOffset + kTemplateCount) {
    RestoreDefault(k - kRestoreOffset);
  } else if (k >= kTestOffset && k < kTestOffset + kTemplateCount) {
    TestTemplate(k - kTestOffset);
  } else if (id == IDC_NEWLINE_LF || id == IDC_NEWLINE_CRLF) {
    CheckRadioButton(window_, IDC_NEWLINE_LF, IDC_NEWLINE_CRLF, id);
  } else if (id == IDC_CLOSE_BUTTON) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
  }
}

void CommandStrConfigWindow::RestoreDefault(int slot) {
  if (!AskYesNo(window_, TextId::RestoreDefaultTemplate)) return;
  SetControlText(window_, IDC_LIST_TEXT_TEMPLATE + slot, kDefaultLineTemplates[slot]);
}

void CommandStrConfigWindow::TestTemplate(int slot) {
  const std::u16string pattern = ControlText(window_, IDC_LIST_TEXT_TEMPLATE + slot, kTemplateEditUnits);
  SetControlText(window_, IDC_TEST_LINE, TemplateTestLine(SlotOf(slot), pattern, App().pool));
}

void CommandStrConfigWindow::Store() {
  // The edits of a window that is gone read as empty: empty templates over the user's.
  if (window_ == nullptr || !IsWindow(window_)) return;
  AppState& app = App();
  for (int k = 0; k < kTemplateCount; ++k) {
    StoreTemplate(app, SlotOf(k), ControlText(window_, IDC_LIST_TEXT_TEMPLATE + k, kTemplateEditUnits));
  }
  if (IsDlgButtonChecked(window_, IDC_NEWLINE_LF) == BST_CHECKED) {
    app.settings.newlineMode = 0;
  } else if (IsDlgButtonChecked(window_, IDC_NEWLINE_CRLF) == BST_CHECKED) {
    app.settings.newlineMode = 1;
  }
}

void CommandStrConfigWindow::OnClose() {
  Store();
  if (window_ != nullptr) EndDialog(window_, 1);
  window_ = nullptr;
}

void CommandStrConfigWindow::OnDestroy() {
  if (window_ == nullptr) return;
  Store();
  window_ = nullptr;
}

}  // namespace qm
