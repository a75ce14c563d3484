// The windows' texts: the language choice, a complete table, and no Japanese text outside it (in the
// resource script or in the windows' code) that English would miss.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/utf.h"
#include "ui/text/texts.h"

namespace qm {
namespace {

TEST(Language, FollowsTheDisplayLanguageUnlessTheIniChooses) {
  struct Case {
    LanguageChoice choice;
    uint16_t uiLanguage;
    Language language;
  };
  const Case cases[] = {
      {LanguageChoice::Auto, 0x0411, Language::Japanese},  // ja-JP
      {LanguageChoice::Auto, 0x0011, Language::Japanese},  // Japanese without a region
      {LanguageChoice::Auto, 0x0409, Language::English},   // en-US
      {LanguageChoice::Auto, 0x0804, Language::English},   // zh-CN, also written in kanji
      {LanguageChoice::Auto, 0x0412, Language::English},   // ko-KR
      {LanguageChoice::Auto, 0x0000, Language::English},   // none known
      {LanguageChoice::Japanese, 0x0409, Language::Japanese}, {LanguageChoice::English, 0x0411, Language::English},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LanguageFor(c.choice, c.uiLanguage), c.language) << std::hex << c.uiLanguage;
  }
}

TEST(Texts, EveryIdHasBothLanguagesAndEveryJapaneseTextOneRow) {
  const auto table = TextTable();
  ASSERT_EQ(table.size(), static_cast<size_t>(TextId::Count));
  std::set<std::u16string> japanese;
  for (size_t i = 0; i < table.size(); ++i) {
    const TextEntry& entry = table[i];
    EXPECT_EQ(static_cast<size_t>(entry.id), i);
    ASSERT_TRUE(entry.japanese != nullptr && entry.english != nullptr) << i;
    EXPECT_NE(*entry.japanese, u'\0') << "row " << i << " has no Japanese";
    EXPECT_NE(*entry.english, u'\0') << "row " << i << " has no English: " << ToUtf8(entry.japanese);
    // A template's text finds its row by its Japanese, so that must be unambiguous.
    EXPECT_TRUE(japanese.insert(entry.japanese).second) << "twice: " << ToUtf8(entry.japanese);
  }
}

TEST(Texts, LookUpByIdAndByTheTemplatesJapaneseInTheChosenLanguage) {
  SetLanguage(Language::English);
  EXPECT_EQ(std::u16string(Tr(TextId::ConfirmExit)), u"Exit Quillmere?");
  EXPECT_EQ(std::u16string(TrResource(u"ログを開く(&O)\tCtrl+O")), u"&Open Log...\tCtrl+O");
  EXPECT_EQ(TrResource(u"ログを開く"), nullptr);
  SetLanguage(Language::Japanese);
  EXPECT_EQ(std::u16string(Tr(TextId::ConfirmExit)), u"終了しますか？");
  EXPECT_EQ(std::u16string(TrResource(u"close")), u"close");
  EXPECT_EQ(std::u16string(Tr(TextId::Count)), u"");
}

#ifndef _WIN32  // the source tree is read from its Linux path

bool HasNonAscii(const std::string& text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return true;
  }
  return false;
}

// The string literals of a line of C++ or resource script, up to a comment; "\t" and "\n" read as
// the characters they stand for.
std::vector<std::string> Literals(const std::string& line) {
  std::vector<std::string> literals;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line.compare(i, 2, "//") == 0) break;
    if (line[i] == '\'') {  // a character literal, such as '"'
      i = line.find('\'', i + (line.compare(i + 1, 1, "\\") == 0 ? 3 : 2));
      if (i == std::string::npos) break;
      continue;
    }
    if (line[i] != '"') continue;
    std::string literal;
    for (++i; i < line.size() && line[i] != '"'; ++i) {
      if (line[i] == '\\' && i + 1 < line.size()) {
        const char escaped = line[++i];
        literal += escaped == 't' ? '\t' : escaped == 'n' ? '\n' : escaped;
      } else {
        literal += line[i];
      }
    }
    literals.push_back(literal);
  }
  return literals;
}

std::vector<std::string> Lines(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(Texts, EveryJapaneseTextOfTheResourceScriptHasARow) {
  const std::filesystem::path script = std::filesystem::path(QM_SOURCE_DIR) / "resources" / "quillmere.rc";
  const std::vector<std::string> lines = Lines(script);
  ASSERT_FALSE(lines.empty()) << script;
  for (const std::string& line : lines) {
    for (const std::string& literal : Literals(line)) {
      if (HasNonAscii(literal)) {
        EXPECT_NE(TrResource(FromUtf8(literal)), nullptr) << "no English for: " << literal;
      }
    }
  }
}

TEST(Texts, TheWindowsCodeShowsNoJapaneseOfItsOwn) {
  const std::filesystem::path ui = std::filesystem::path(QM_SOURCE_DIR) / "src" / "ui";
  // The sort arrows are the same in both languages.
  const std::set<std::string> neutral = {"▽", "△", " ▽", " △"};
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(ui)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_regular_file() || name == "texts.def") continue;
    ++files;
    for (const std::string& line : Lines(entry.path())) {
      for (const std::string& literal : Literals(line)) {
        EXPECT_FALSE(HasNonAscii(literal) && neutral.count(literal) == 0)
            << entry.path().string() << ": \"" << literal << "\" belongs in texts.def";
      }
    }
  }
  EXPECT_GT(files, 20);
}

#endif

}  // namespace
}  // namespace qm
