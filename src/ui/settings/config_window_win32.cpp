#include "ui/settings/config_window.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <array>
#include <memory>

#include "app/app_state.h"
#include "app/auto_start.h"
#include "core/fixed_string.h"
#include "ui/settings/config_choices.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/resource_ids.h"

namespace qm {
namespace {

constexpr int kChoiceControls[kChoiceListCount] = {IDC_CHECK_PERIOD, IDC_TIMELINE_PERIOD, IDC_AUTO_SAVE,
                                                   IDC_DELETE_AGE};
// The edits leave room for the terminator and for the backslash a chosen folder gets.
constexpr int kFolderEditUnits = kPathUnits - 2;
constexpr int kNameEditUnits = kFileNameUnits - 1;

struct ItemListDeleter {
  void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};

// Starts the folder browser in the folder it is given.
int CALLBACK BrowseCallback(HWND browser, UINT message, LPARAM, LPARAM folder) {
  if (message == BFFM_INITIALIZED) SendMessageW(browser, BFFM_SETSELECTIONW, TRUE, folder);
  return 0;
}

bool IsChecked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

}  // namespace

bool ChooseFolder(char16_t (&folder)[kPathUnits], HWND owner) {
  wchar_t displayName[MAX_PATH] = {};
  BROWSEINFOW browse = {};
  browse.hwndOwner = owner;
  browse.pszDisplayName = displayName;
  browse.lpszTitle = Wide(Tr(TextId::ChooseExportFolder));
  browse.ulFlags = BIF_NEWDIALOGSTYLE;
  browse.lpfn = &BrowseCallback;
  browse.lParam = reinterpret_cast<LPARAM>(folder);
  const std::unique_ptr<ITEMIDLIST, ItemListDeleter> items(SHBrowseForFolderW(&browse));
  if (!items) return false;
  // A virtual folder (such as the control panel) has no path: that is no choice of an export folder.
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(items.get(), path)) return false;
  lstrcpynW(Wide(folder), path, kPathUnits);
  return true;
}

void ConfigWindow::Run(HWND owner) { ShowModal(IDD_CONFIG, owner); }

INT_PTR ConfigWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return TRUE;
    case WM_COMMAND:
      // Escape's cancel command is left to the standard processing, which does not close the window.
      if (LOWORD(wParam) == IDCANCEL) return 0;
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE: OnClose(); return TRUE;
    case WM_DESTROY: OnDestroy(); return 0;
    default: return 0;
  }
}

ConfigWindow::ExportGroup ConfigWindow::ListGroup() const {
  AppSettings& s = App().settings;
  return {IDC_LIST_CSV_EXPORT,   IDC_LIST_TEXT_EXPORT,   IDC_LIST_EXPORT_FOLDER, IDC_LIST_CHOOSE_FOLDER,
          IDC_LIST_EXPORT_NAME,  IDC_LIST_DEFAULT_NAME,  IDC_LIST_EXPORT_STATUS, &s.listCsvExport,
          &s.listTextExport,     &s.listExportFolder,    &s.listExportName,      kDefaultListExportName};
}

ConfigWindow::ExportGroup ConfigWindow::UsageGroup() const {
  AppSettings& s = App().settings;
  return {IDC_USAGE_CSV_EXPORT,  IDC_USAGE_TEXT_EXPORT,  IDC_USAGE_EXPORT_FOLDER, IDC_USAGE_CHOOSE_FOLDER,
          IDC_USAGE_EXPORT_NAME, IDC_USAGE_DEFAULT_NAME, IDC_USAGE_EXPORT_STATUS, &s.usageCsvExport,
          &s.usageTextExport,    &s.usageExportFolder,   &s.usageExportName,      kDefaultUsageExportName};
}

void ConfigWindow::OnInitDialog(HWND window) {
  window_ = window;
  const AppSettings& settings = App().settings;
  FillChoices();
  CheckDlgButton(window_, IDC_CONFIRM_EXIT, settings.confirmExit ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window_, IDC_WRITE_BOM, settings.writeBom ? BST_CHECKED : BST_UNCHECKED);
  ShowAutoStart();
  ShowExportGroup(ListGroup());
  ShowExportGroup(UsageGroup());
  ShowAwayGroup();
  SetSmallIcon(window_, IDI_SETTINGS);
}

void ConfigWindow::ShowAwayGroup() {
  const IniSettings& ini = App().ini;
  awayChoices_ = AwayChoices(ini.awayAfterSeconds);
  const HWND list = GetDlgItem(window_, IDC_AWAY_AFTER);
  for (const AwayChoice& choice : awayChoices_) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(choice.text.c_str())));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(AwaySelection(awayChoices_, ini.awayAfterSeconds)), 0);
  CheckDlgButton(window_, IDC_PRESENT_WHILE_FULL_SCREEN, ini.presentWhileFullScreen ? BST_CHECKED : BST_UNCHECKED);
}

void ConfigWindow::StoreAwayGroup() {
  IniSettings& ini = App().ini;
  const auto selected = static_cast<int>(SendDlgItemMessageW(window_, IDC_AWAY_AFTER, CB_GETCURSEL, 0, 0));
  ini.awayAfterSeconds = SelectedAwaySeconds(awayChoices_, selected, ini.awayAfterSeconds);
  ini.presentWhileFullScreen = IsChecked(window_, IDC_PRESENT_WHILE_FULL_SCREEN);
}

void ConfigWindow::FillChoices() {
  const std::array<int, kChoiceListCount> selections = ChoiceSelections(App().settings);
  for (int i = 0; i < kChoiceListCount; ++i) {
    const HWND list = GetDlgItem(window_, kChoiceControls[i]);
    for (const Choice& choice : kSettingsChoiceLists[i].entries) {
      SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(ChoiceText(choice).c_str())));
    }
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(selections[i]), 0);
  }
}

void ConfigWindow::ShowExportGroup(const ExportGroup& group) {
  CheckDlgButton(window_, group.csvBox, *group.csvExport ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window_, group.textBox, *group.textExport ? BST_CHECKED : BST_UNCHECKED);
  SendDlgItemMessageW(window_, group.folderEdit, EM_LIMITTEXT, kFolderEditUnits, 0);
  SendDlgItemMessageW(window_, group.nameEdit, EM_LIMITTEXT, kNameEditUnits, 0);
  // Setting the texts runs the checks of the status line.
  SetControlText(window_, group.folderEdit, ArrayText(*group.folder));
  SetControlText(window_, group.nameEdit, ArrayText(*group.name));
  UpdateExportEnabling(group);
}

void ConfigWindow::OnCommand(WORD id, WORD code) {
  for (const ExportGroup& group : {ListGroup(), UsageGroup()}) {
    if (id == group.csvBox || id == group.textBox) UpdateExportEnabling(group);
    if ((id == group.folderEdit || id == group.nameEdit) && code == EN_CHANGE) UpdateStatus(group);
    if (id == group.chooseButton) ChooseExportFolder(group);
    if (id == group.defaultButton) RestoreDefaultName(group);
  }
  if (id == IDC_START_WITH_WINDOWS) SwitchAutoStart();
  if (id == IDC_OUTPUT_STRINGS && outputStrings_ != nullptr) outputStrings_->Run(window_);
  if (id == IDC_CLOSE_BUTTON) PostMessageW(window_, WM_CLOSE, 0, 0);
}

void ConfigWindow::ShowAutoStart() {
  CheckDlgButton(window_, IDC_START_WITH_WINDOWS, IsAutoStartOn(DefaultRunKey()) ? BST_CHECKED : BST_UNCHECKED);
}

// The registry is changed at once, so that a refusal is told while the box is still in view; the box
// then shows what the registry holds.
void ConfigWindow::SwitchAutoStart() {
  const bool on = IsChecked(window_, IDC_START_WITH_WINDOWS);
  if (!SetAutoStart(DefaultRunKey(), App().env.ExecutablePath(), on)) {
    MessageBoxW(window_, Wide(Tr(TextId::AutoStartFailed)), L"Quillmere", MB_OK | MB_ICONERROR);
  }
  ShowAutoStart();
}

void ConfigWindow::UpdateExportEnabling(const ExportGroup& group) {
  const BOOL enabled = IsChecked(window_, group.csvBox) || IsChecked(window_, group.textBox);
  EnableWindow(GetDlgItem(window_, group.folderEdit), enabled);
  EnableWindow(GetDlgItem(window_, group.nameEdit), enabled);
}

void ConfigWindow::UpdateStatus(const ExportGroup& group) {
  const std::u16string folder = ControlText(window_, group.folderEdit, kPathUnits);
  const std::u16string name = ControlText(window_, group.nameEdit, kFileNameUnits);
  const bool folderExists = PathIsDirectoryW(Wide(folder.c_str())) != FALSE;
  SetControlText(window_, group.status, ExportStatusText(folderExists, ValidateNameTemplate(name)));
}

void ConfigWindow::ChooseExportFolder(const ExportGroup& group) {
  CopyToArray(*group.folder, ControlText(window_, group.folderEdit, kPathUnits - 1));
  if (!ChooseFolder(*group.folder, window_)) return;
  PathAddBackslashW(Wide(*group.folder));
  SetControlText(window_, group.folderEdit, ArrayText(*group.folder));
}

void ConfigWindow::RestoreDefaultName(const ExportGroup& group) {
  if (AskYesNo(window_, TextId::RestoreDefaultName)) SetControlText(window_, group.nameEdit, group.defaultName);
}

void ConfigWindow::StoreExportGroup(const ExportGroup& group) {
  CopyToArray(*group.folder, ControlText(window_, group.folderEdit, kPathUnits - 1));
  CopyToArray(*group.name, ControlText(window_, group.nameEdit, kFileNameUnits - 1));
  *group.csvExport = IsChecked(window_, group.csvBox) ? 1 : 0;
  *group.textExport = IsChecked(window_, group.textBox) ? 1 : 0;
}

void ConfigWindow::Store() {
  // The controls of a window that is gone read as empty and unchecked: defaults over the settings.
  if (window_ == nullptr || !IsWindow(window_)) return;
  AppSettings& settings = App().settings;
  std::array<int, kChoiceListCount> selections{};
  for (int i = 0; i < kChoiceListCount; ++i) {
    selections[i] = static_cast<int>(SendDlgItemMessageW(window_, kChoiceControls[i], CB_GETCURSEL, 0, 0));
  }
  StoreChoiceSelections(settings, selections);
  settings.confirmExit = IsChecked(window_, IDC_CONFIRM_EXIT) ? 1 : 0;
  settings.writeBom = IsChecked(window_, IDC_WRITE_BOM) ? 1 : 0;
  StoreExportGroup(ListGroup());
  StoreExportGroup(UsageGroup());
  StoreAwayGroup();
}

void ConfigWindow::OnClose() {
  Store();
  if (window_ != nullptr) EndDialog(window_, 1);
  window_ = nullptr;
}

void ConfigWindow::OnDestroy() {
  if (window_ == nullptr) return;
  Store();
  window_ = nullptr;
}

}  // namespace qm
