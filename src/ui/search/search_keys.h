// What the search window does with a key that its keyboard hook sees, which is every key of the
// thread: in whichever window it was meant for. No window here.
#pragma once

#include <cstdint>

namespace qm {

enum class SearchKeyAction { None, Close, SearchUp, SearchDown, SelectAll, ClearHistory };

// The control of the search window with the keyboard focus; Other for the combo box and the rest.
enum class SearchFocus { Other, UpButton, SelectButton, ClearButton, CloseButton };

struct SearchKeyContext {
  bool searchActive = false;  // the search window is the active window
  bool ownerActive = false;   // the main window is the active window, and no menu of it is open
  SearchFocus focus = SearchFocus::Other;
  bool composing = false;  // an input-method composition is in progress in the focused control
};

struct SearchKeyDecision {
  SearchKeyAction action = SearchKeyAction::None;
  // Kept from every other window: only what the search window acted on while it is active, so that
  // the dialog manager does not press the focused button a second time.
  bool swallow = false;
};

inline constexpr uint32_t kVirtualKeyReturn = 0x0D;
inline constexpr uint32_t kVirtualKeyEscape = 0x1B;

// Escape closes the search window from itself or from the main window; Enter acts only in the search
// window. Any other window (a dialog, a message box, a menu) gets its keys untouched, and a key that
// confirms or cancels a composition belongs to the input method.
SearchKeyDecision DecideSearchKey(uint32_t virtualKey, const SearchKeyContext& context);

}  // namespace qm
