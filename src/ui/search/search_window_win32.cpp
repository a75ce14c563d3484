#include "ui/search/search_window.h"

#include <commctrl.h>

#include <cstring>

#include "app/app_state.h"
#include "ui/common/dialog_controls.h"
#include "ui/common/list_view.h"
#include "ui/main_window/main_window.h"
#include "ui/common/resource_ids.h"
#include "ui/common/window_geometry.h"

namespace qm {
namespace {

constexpr int kSearchTextLimit = 256;

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
    case WM_KEYDOWN: return OnKeyDown(wParam);
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

INT_PTR SearchWindow::OnKeyDown(WPARAM key) {
  if (key == VK_ESCAPE) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return 1;
  }
  if (key != VK_RETURN) return 0;
  const HWND focus = GetFocus();
  const auto focused = [&](int id) { return focus != nullptr && focus == GetDlgItem(window_, id); };
  if (focused(IDC_SEARCH_UP)) {
    SearchUp();
  } else if (focused(IDC_SELECT_MATCHES)) {
    SelectAllMatches();
  } else if (focused(IDC_CLEAR_HISTORY)) {
    ClearHistory();
  } else if (focused(IDC_SEARCH_CLOSE)) {
    PostMessageW(window_, WM_CLOSE, 0, 0);
  } else if (GetActiveWindow() == window_) {
    SendDlgItemMessageW(window_, IDC_SEARCH_TEXT, CB_SHOWDROPDOWN, FALSE, 0);
    SearchDown();
  } else {
    return 0;
  }
  return 1;
}

LRESULT CALLBACK SearchWindow::SearchKeyboardHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && hooked_ != nullptr && hooked_->window_ != nullptr) {
    const UINT message = (lParam & 0x80000000) == 0 ? WM_KEYDOWN : WM_KEYUP;
    // A key the dialog acted on is swallowed, so that the dialog manager does not press the focused
    // button a second time.
    if (SendMessageW(hooked_->window_, message, wParam, lParam) != 0) return 1;
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
  MarkRowOnTimeline(row);
}

void SearchWindow::SelectAllMatches() {
  SearchQuery query;
  if (!PrepareSearch(query)) return;
  HWND owner = Owner();
  HWND list = MainList();
  const std::vector<uint32_t> rows = AllMatchingRows(*list_, query, ListView_GetNextItem(list, -1, LVNI_SELECTED));
  // The main window sums the selection once, for the last match, not once per match.
  SendMessageW(owner, kSelectionSummaryMessage, 0, 0);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  for (uint32_t row : rows) ListView_SetItemState(list, static_cast<int>(row), LVIS_SELECTED, LVIS_SELECTED);
  if (!rows.empty()) {
    const int last = static_cast<int>(rows.back());
    ListView_SetItemState(list, last, 0, LVIS_SELECTED);
    SendMessageW(owner, kSelectionSummaryMessage, 1, 0);
    ListView_SetItemState(list, last, LVIS_SELECTED, LVIS_SELECTED);
    ListView_EnsureVisible(list, last, TRUE);
    MarkRowOnTimeline(last);
  } else {
    SendMessageW(owner, kSelectionSummaryMessage, 1, 0);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, FALSE);
}

void SearchWindow::MarkRowOnTimeline(int row) {
  const uint8_t* record = list_->RecordOfRow(static_cast<uint32_t>(row));
  if (record == nullptr) return;
  RECT image = {};
  GetClientRect(GetDlgItem(Owner(), IDC_TIMELINE), &image);
  POINT mark = {TimelineX(ReadRecordHeader(record).start, image.right - image.left), 0};
  SendMessageW(Owner(), kTimelineRedrawMessage, reinterpret_cast<WPARAM>(&mark), 0);
}

}  // namespace qm
