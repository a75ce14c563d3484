#include "ui/text/localized_windows_win32.h"

#include <string>

#include "ui/common/dialog_template.h"
#include "ui/text/texts.h"

namespace qm {
namespace {

constexpr size_t kTextUnits = 512;

// The current language's text for `current`, when a row holds it and it differs.
const wchar_t* Localized(const wchar_t* current) {
  const char16_t* text = TrResource(reinterpret_cast<const char16_t*>(current));
  if (text == nullptr || std::u16string_view(text) == reinterpret_cast<const char16_t*>(current)) return nullptr;
  return reinterpret_cast<const wchar_t*>(text);
}

void LocalizeText(HWND window) {
  wchar_t text[kTextUnits] = {};
  GetWindowTextW(window, text, static_cast<int>(kTextUnits));
  if (const wchar_t* localized = Localized(text)) SetWindowTextW(window, localized);
}

// Only labels, group boxes, buttons, check boxes and radio buttons: what an edit, a combo box or a
// list holds is the user's.
BOOL CALLBACK LocalizeChild(HWND child, LPARAM) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, 32);
  if (lstrcmpiW(className, L"Button") == 0 || lstrcmpiW(className, L"Static") == 0) LocalizeText(child);
  return TRUE;
}

}  // namespace

std::vector<uint8_t> LocalizedDialogTemplate(int templateId) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(templateId), reinterpret_cast<LPCWSTR>(RT_DIALOG));
  HGLOBAL loaded = resource != nullptr ? LoadResource(instance, resource) : nullptr;
  const auto* bytes = static_cast<const uint8_t*>(loaded != nullptr ? LockResource(loaded) : nullptr);
  if (bytes == nullptr) return {};
  const std::span<const uint8_t> stored(bytes, SizeofResource(instance, resource));
  if (CurrentLanguage() == Language::Japanese) return {stored.begin(), stored.end()};
  return WithDialogFont(stored, {u"MS Shell Dlg 2", 8, FW_NORMAL, 0, DEFAULT_CHARSET});
}

void LocalizeWindowTexts(HWND window) {
  if (CurrentLanguage() == Language::Japanese) return;
  LocalizeText(window);
  EnumChildWindows(window, &LocalizeChild, 0);
}

void LocalizeMenu(HMENU menu) {
  if (menu == nullptr || CurrentLanguage() == Language::Japanese) return;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[kTextUnits] = {};
    MENUITEMINFOW item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING | MIIM_SUBMENU;
    item.dwTypeData = text;
    item.cch = kTextUnits;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &item)) continue;
    if (item.hSubMenu != nullptr) LocalizeMenu(item.hSubMenu);
    const wchar_t* localized = Localized(text);
    if (localized == nullptr) continue;
    MENUITEMINFOW change = {};
    change.cbSize = sizeof change;
    change.fMask = MIIM_STRING;
    change.dwTypeData = const_cast<wchar_t*>(localized);
    SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &change);
  }
}

}  // namespace qm
