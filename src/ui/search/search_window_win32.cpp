#include "ui/search/search_window.h"

#include <commctrl.h>
#include <imm.h>

#include <cstring>
#include <utility>

#include "app/app_state.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/list_view.h"
#include "ui/main_window/main_window.h"
#include "ui/common/resource_ids.h"
#include "ui/common/window_geometry.h"

namespace qm {
namespace {

constexpr int kSearchTextLimit = 256;
static_assert(VK_RETURN == kVirtualKeyReturn && VK_ESCAPE == kVirtualKeyEscape);

bool InMenu() {
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetCurrentThreadId(), &info) && (info.flags & GUI_INMENUMODE) != 0;
}

// The keys that confirm or cancel an input-method composition belong to the input method.
bool Composing(HWND focus) {
  HIMC context = ImmGetContext(focus);
  if (context == nullptr) return false;
  const LONG bytes = ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0);
  ImmReleaseContext(focus, context);
  return bytes > 0;
}

}  // namespace

SearchWindow* SearchWindow::hooked_ = nullptr;

void SearchWindow::OpenOrClose(HWND owner, const ListModel* list) {
  if (window_ != nullptr) {
    SendMessageW(window_, WM_CLOSE, 0, 0);
    return;
  }
  list_ = list;
  ShowModeless(IDD_SEARCH, owner);
}

INT_PTR SearchWindow::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: OnInitDialog(window); return 1;
    // A modeless dialog ends by being destroyed; ending it as a modal one would only hide it.
    case WM_CLOSE: DestroyWindow(window); return 1;
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_COMMAND: return OnCommand(LOWORD(wParam));
    default: return 0;
  }
}

void SearchWindow::OnInitDialog(HWND window) {
  window_ = window;
  hooked_ = this;
  hook_.reset(SetWindowsHookExW(WH_KEYBOARD, &SearchKeyboardHook, nullptr, GetCurrentThreadId()));
  SetSmallIcon(window_, IDI_QUILLMERE);
  RestorePlacement();
  HWND combo = GetDlgItem(window_, IDC_SEARCH_TEXT);
  SendMessageW(combo, CB_LIMITTEXT, kSearchTextLimit, 0);
  FillSearchCombo();
  SetFocus(combo);
  const AppSettings& settings = App().settings;
  CheckDlgButton(window_, IDC_SEARCH_IN_TITLE, settings.searchInTitle ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window_, IDC_SEARCH_IN_EXE, settings.searchInExe ? BST_CHECKED : BST_UNCHECKED);
}

// Whichever way the dialog goes (its own close or the main window's end), the hook goes with it and
// the placement is kept.
void SearchWindow::OnDestroy() {
  if (window_ == nullptr) return;
  hook_.reset();
  hooked_ = nullptr;
  StorePlacement();
  window_ = nullptr;
}

void SearchWindow::RestorePlacement() {
  WINDOWPLACEMENT placement;
  std::memcpy(&placement, &App().settings.searchPlacement, sizeof placement);
  if (placement.length != sizeof placement || !SetWindowPlacement(window_, &placement)) {
    CenterOnScreen(window_);
    ShowWindow(window_, SW_SHOWNORMAL);
  }
  if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOWNORMAL);  // a stored hidden state
}

void SearchWindow::StorePlacement() {
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof placement;
  if (!GetWindowPlacement(window_, &placement)) return;
  // A dialog closed while minimised comes back restored.
  if (placement.showCmd == SW_SHOWMINIMIZED || placement.showCmd == SW_MINIMIZE) {
    placement.showCmd = placement.flags == WPF_RESTORETOMAXIMIZED ? SW_SHOWMAXIMIZED : SW_RESTORE;
  }
  std::memcpy(&App().settings.searchPlacement, &placement, sizeof placement);
}

INT_PTR SearchWindow::OnCommand(WORD id) {
  AppSettings& settings = App().settings;
  switch (id) {
    case IDC_SEARCH_DOWN: SearchDown(); return 1;
    case IDC_SEARCH_UP: SearchUp(); return 1;
    case IDC_SELECT_MATCHES: SelectAllMatches(); return 1;
    case IDC_CLEAR_HISTORY: ClearHistory(); return 1;
    case IDC_SEARCH_CLOSE: PostMessageW(window_, WM_CLOSE, 0, 0); return 1;
    case IDC_SEARCH_IN_TITLE: settings.searchInTitle = IsDlgButtonChecked(window_, id) == BST_CHECKED; return 1;
    case IDC_SEARCH_IN_EXE: settings.searchInExe = IsDlgButtonChecked(window_, id) == BST_CHECKED; return 1;
    default: return 0;
  }
}

SearchKeyContext SearchWindow::KeyContext() const {
  SearchKeyContext context;
  const HWND active = GetActiveWindow();
  context.searchActive = active == window_;
  context.ownerActive = active != nullptr && active == Owner() && !InMenu();
  const HWND focus = GetFocus();
  const std::pair<int, SearchFocus> buttons[] = {{IDC_SEARCH_UP, SearchFocus::UpButton},
                                                 {IDC_SELECT_MATCHES, SearchFocus::SelectButton},
                                                 {IDC_CLEAR_HISTORY, SearchFocus::ClearButton},
                                                 {IDC_SEARCH_CLOSE, SearchFocus::CloseButton}};
  for (const auto& [id, button] : buttons) {
    if (focus != nullptr && focus == GetDlgItem(window_, id)) context.focus = button;
  }
  context.composing = focus != nullptr && Composing(focus);
  return context;
}

bool SearchWindow::OnHookedKey(WPARAM key) {
  if (key != VK_RETURN && key != VK_ESCAPE) return false;
  const SearchKeyDecision decision = DecideSearchKey(static_cast<uint32_t>(key), KeyContext());
  switch (decision.action) {
    case SearchKeyAction::Close: PostMessageW(window_, WM_CLOSE, 0, 0); break;
    case SearchKeyAction::SearchUp: SearchUp(); break;
    case SearchKeyAction::SelectAll: SelectAllMatches(); break;
    case SearchKeyAction::ClearHistory: ClearHistory(); break;
    case SearchKeyAction::SearchDown:
      SendDlgItemMessageW(window_, IDC_SEARCH_TEXT, CB_SHOWDROPDOWN, FALSE, 0);
      SearchDown();
      break;
    case SearchKeyAction::None: break;
  }
  return decision.swallow;
}

LRESULT CALLBACK SearchWindow::SearchKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  const bool pressed = (lParam & 0x80000000) == 0;
  if (code == HC_ACTION && pressed && hooked_ != nullptr && hooked_->window_ != nullptr &&
      hooked_->OnHookedKey(wParam)) {
    return 1;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void SearchWindow::FillSearchCombo() {
  HWND combo = GetDlgItem(window_, IDC_SEARCH_TEXT);
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) SendMessageW(combo, CB_DELETESTRING, 0, 0);
  const auto& entries = App().searchHistory.Entries();
  for (const auto& entry : entries) SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.text.get()));
  if (!entries.empty()) SetWindowTextW(combo, Wide(entries.front().text.get()));
}

void SearchWindow::ClearHistory() {
  App().searchHistory.ClearSearchHistory();
  FillSearchCombo();
  SetFocus(GetDlgItem(window_, IDC_SEARCH_TEXT));
}

bool SearchWindow::PrepareSearch(SearchQuery& query) {
  HWND combo = GetDlgItem(window_, IDC_SEARCH_TEXT);
  if (GetWindowTextLengthW(combo) == 0) return false;
  SendMessageW(Owner(), WM_COMMAND, CMD_SEARCH_NEEDS_LIST, 0);
  if (list_ == nullptr || list_->RowCount() == 0) return false;
  wchar_t text[kSearchTextLimit] = {};
  GetWindowTextW(combo, text, kSearchTextLimit);
  AppState& app = App();
  app.searchHistory.AddSearchText(reinterpret_cast<const char16_t*>(text));
  FillSearchCombo();
  query = MakeSearchQuery(app, *list_, reinterpret_cast<const char16_t*>(text), app.settings.searchInTitle != 0,
                          app.settings.searchInExe != 0);
  return true;
}

HWND SearchWindow::MainList() const { return GetDlgItem(Owner(), IDC_RECORD_LIST); }

void SearchWindow::SearchDown() {
  SearchQuery query;
  if (!PrepareSearch(query)) return;
  const int first = ListView_GetNextItem(MainList(), -1, LVNI_SELECTED);
  SelectOnly(FindMatchingRow(*list_, query, DownwardStart(first), true));
}

void SearchWindow::SearchUp() {
  SearchQuery query;
  if (!PrepareSearch(query)) return;
  const std::vector<uint32_t> selected = SelectedListRows(MainList());
  const int last = selected.empty() ? -1 : static_cast<int>(selected.back());
  SelectOnly(FindMatchingRow(*list_, query, UpwardStart(last), false));
}

void SearchWindow::SelectOnly(int row) {
  if (row == -1) return;
  HWND list = MainList();
  ListView_EnsureVisible(list, row, TRUE);
  ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(list, row, LVIS_SELECTED, LVIS_SELECTED);
  MarkRowOnTimeline(Owner(), *list_, row);
}

void SearchWindow::SelectAllMatches() {
  SearchQuery query;
  if (!PrepareSearch(query)) return;
  HWND owner = Owner();
  HWND list = MainList();
  const std::vector<uint32_t> rows = AllMatchingRows(*list_, query, ListView_GetNextItem(list, -1, LVNI_SELECTED));
  // Rows already selected stay selected.
  SelectListRows(owner, list, rows, false);
  if (!rows.empty()) MarkRowOnTimeline(owner, *list_, static_cast<int>(rows.back()));
}

}  // namespace qm
