// The windows' texts in Japanese and English, chosen once at start-up: the table of texts.def, the
// language from the user's display language or the INI's choice, and the look-up by id (for what
// the code shows) or by the Japanese text (for what the dialog templates and menus hold).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "storage/ini_settings.h"

namespace qm {

enum class TextId : uint16_t {
#define QM_TEXT(id, ja, en) id,
#include "ui/text/texts.def"
#undef QM_TEXT
  Count
};

enum class Language : uint8_t { Japanese, English };

struct TextEntry {
  TextId id;
  const char16_t* japanese;
  const char16_t* english;
};
// Every row of texts.def, in id order.
std::span<const TextEntry> TextTable();

// Japanese when the INI says so, or when it says auto and the user's display language (a Windows
// language id) is Japanese; English otherwise.
Language LanguageFor(LanguageChoice choice, uint16_t uiLanguageId);

// Set once before any window is made; Japanese until then.
void SetLanguage(Language language);
Language CurrentLanguage();

// The text in the current language.
const char16_t* Tr(TextId id);
// The text whose Japanese is `japanese`, in the current language; null when no row holds it (the
// template's text then stays as it is).
const char16_t* TrResource(std::u16string_view japanese);

}  // namespace qm
