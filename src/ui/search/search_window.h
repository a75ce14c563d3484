// The search window: a modeless dialog that finds records of the main window's list by a text in
// their titles or executable paths, steps to the next match up or down, or selects every match. It
// changes only the list view's selection and marks the match on the timeline.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

#include "output/list_model.h"
#include "ui/search/search_keys.h"
#include "ui/search/search_matching.h"
#include "ui/common/window_base.h"

namespace qm {

class SearchWindow : public DialogWindowBase {
 public:
  INT_PTR HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  // Closes the dialog when it is open; otherwise opens it over `list`, owned by the main window.
  void OpenOrClose(HWND owner, const ListModel* list);
  // The main window's answer to "the search needs the list".
  void SetList(const ListModel* list) { list_ = list; }
  // The dialog while it is open, else null.
  HWND Handle() const { return window_; }

 private:
  struct Unhook {
    void operator()(HHOOK hook) const { UnhookWindowsHookEx(hook); }
  };
  using KeyboardHook = std::unique_ptr<std::remove_pointer_t<HHOOK>, Unhook>;

  void OnInitDialog(HWND window);
  void OnDestroy();
  INT_PTR OnCommand(WORD id);
  // A key pressed anywhere in the thread; true when it goes no further.
  bool OnHookedKey(WPARAM key);
  SearchKeyContext KeyContext() const;
  void RestorePlacement();
  void StorePlacement();
  void FillSearchCombo();
  void ClearHistory();

  // The common start of the three searches: false when there is no text, no list or no row.
  bool PrepareSearch(SearchQuery& query);
  void SearchDown();
  void SearchUp();
  void SelectAllMatches();
  void SelectOnly(int row);
  HWND Owner() const { return GetWindow(window_, GW_OWNER); }
  HWND MainList() const;

  // Shows every keystroke of the thread to the open dialog, which keeps only what it acted on itself.
  static LRESULT CALLBACK SearchKeyboardHook(int code, WPARAM wParam, LPARAM lParam);

  const ListModel* list_ = nullptr;
  HWND window_ = nullptr;
  KeyboardHook hook_;
  // The dialog that the keyboard hook serves; one at a time.
  static SearchWindow* hooked_;
};

}  // namespace qm
