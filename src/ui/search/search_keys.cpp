#include "ui/search/search_keys.h"

namespace qm {
namespace {

SearchKeyAction EnterAction(SearchFocus focus) {
  switch (focus) {
    case SearchFocus::UpButton: return SearchKeyAction::SearchUp;
    case SearchFocus::SelectButton: return SearchKeyAction::SelectAll;
    case SearchFocus::ClearButton: return SearchKeyAction::ClearHistory;
    case SearchFocus::CloseButton: return SearchKeyAction::Close;
    case SearchFocus::Other: break;
  }
  return SearchKeyAction::SearchDown;
}

}  // namespace

SearchKeyDecision DecideSearchKey(uint32_t virtualKey, const SearchKeyContext& context) {
  if (context.composing) return {};
  if (virtualKey == kVirtualKeyEscape) {
    // From the main window the key closes the search window and still goes on to the main window.
    if (context.searchActive || context.ownerActive) return {SearchKeyAction::Close, context.searchActive};
    return {};
  }
  if (virtualKey == kVirtualKeyReturn && context.searchActive) return {EnterAction(context.focus), true};
  return {};
}

}  // namespace qm
