#include "ui/text/texts.h"

#include <array>

namespace qm {
namespace {

constexpr std::array<TextEntry, static_cast<size_t>(TextId::Count)> kTexts = {{
#define QM_TEXT(id, ja, en) {TextId::id, ja, en},
#include "ui/text/texts.def"
#undef QM_TEXT
}};

constexpr uint16_t kJapanesePrimary = 0x11;  // LANG_JAPANESE
constexpr uint16_t kPrimaryMask = 0x3FF;

Language language = Language::Japanese;

const char16_t* InCurrentLanguage(const TextEntry& entry) {
  return language == Language::English ? entry.english : entry.japanese;
}

}  // namespace

std::span<const TextEntry> TextTable() { return kTexts; }

Language LanguageFor(LanguageChoice choice, uint16_t uiLanguageId) {
  switch (choice) {
    case LanguageChoice::Japanese: return Language::Japanese;
    case LanguageChoice::English: return Language::English;
    case LanguageChoice::Auto: break;
  }
  return (uiLanguageId & kPrimaryMask) == kJapanesePrimary ? Language::Japanese : Language::English;
}

void SetLanguage(Language chosen) { language = chosen; }

Language CurrentLanguage() { return language; }

const char16_t* Tr(TextId id) {
  const auto index = static_cast<size_t>(id);
  return index < kTexts.size() ? InCurrentLanguage(kTexts[index]) : u"";
}

const char16_t* TrResource(std::u16string_view japanese) {
  for (const TextEntry& entry : kTexts) {
    if (japanese == entry.japanese) return InCurrentLanguage(entry);
  }
  return nullptr;
}

}  // namespace qm
