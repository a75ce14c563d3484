// What the settings window shows and stores without a window: the entries of its four drop-down
// lists with the values behind them, the check of file-name templates and the status-line texts.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "storage/app_settings.h"
#include "ui/text/texts.h"

namespace qm {

// An entry: a value shown with its text, or as "%dms" where it has none.
struct Choice {
  int32_t value;
  TextId text = TextId::Count;
};
// The entry's text in the current language.
std::u16string ChoiceText(const Choice& choice);

struct ChoiceList {
  std::span<const Choice> entries;
  int32_t AppSettings::*field;
  // Selected at opening when the stored value is in no entry; -1 selects nothing.
  int fallback;
  // The selected index itself is stored, also -1 for no selection, rather than the entry's value.
  bool storesIndex;
};

// The lists of the check period, the timeline period, the auto-save schedule and the deletion age,
// in the order of the window's controls.
inline constexpr int kChoiceListCount = 4;
extern const std::array<ChoiceList, kChoiceListCount> kSettingsChoiceLists;

// The index each list selects at opening: the first entry holding the stored value, else the fallback.
std::array<int, kChoiceListCount> ChoiceSelections(const AppSettings& settings);
// Stores the selections; a list that stores values leaves its setting alone when nothing valid is
// selected.
void StoreChoiceSelections(AppSettings& settings, const std::array<int, kChoiceListCount>& selections);

// How a file-name template fares: fine, a character no file name may hold, or an unknown specifier.
enum NameTemplateCheck : int { kNameTemplateOk = 0, kNameTemplateBadCharacter = 1, kNameTemplateBadSpecifier = 2 };
int ValidateNameTemplate(std::u16string_view text);

// The status line for a file-name template, empty when it is fine.
const char16_t* NameTemplateStatus(int check);
// The status line of an export group: a missing folder is always told, beside a name's problem.
std::u16string ExportStatusText(bool folderExists, int nameCheck);

}  // namespace qm
