// The texts of the current language put into what the resources make: dialog templates in the
// language's font, then their captions, labels and buttons; and menus.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace qm {

// Dialog template `templateId` for the current language: as stored for Japanese; for English in the
// system's dialog font ("MS Shell Dlg 2", 8 points). Empty when the resource is missing or damaged.
std::vector<uint8_t> LocalizedDialogTemplate(int templateId);

// The window's caption and the texts of its buttons and static controls, in the current language.
// Texts without a row stay as the template has them.
void LocalizeWindowTexts(HWND window);

// Every item of the menu and its submenus in the current language.
void LocalizeMenu(HMENU menu);

}  // namespace qm
