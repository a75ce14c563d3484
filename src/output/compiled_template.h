// A %-template compiled into tokens: literal texts and the code units that followed a %.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "output/line_buffer.h"
#include "storage/app_settings.h"

namespace qm {

// The four compiled templates of the output state, in this order.
enum TemplateSlot : int { kListTextTemplate, kListCsvTemplate, kUsageTextTemplate, kUsageCsvTemplate };

// Which of a kind's two templates renders a line.
enum class OutputFormat { Text, Csv };

struct TemplateToken {
  uint32_t kind = 0;   // 0 literal, else the code unit after the %
  std::u16string text;  // the literal (possibly empty); unused for specifiers
};

class CompiledTemplate {
 public:
  const std::vector<TemplateToken>& Tokens() const { return tokens_; }
  bool Empty() const { return tokens_.empty(); }
  void Clear() { tokens_.clear(); }

  void AddLiteral(std::u16string_view text) { tokens_.push_back({0, std::u16string(text)}); }
  void AddSpecifier(char16_t kind) { tokens_.push_back({kind, {}}); }

 private:
  std::vector<TemplateToken> tokens_;
};

// Replaces the contents of `target` with the tokens of `pattern`. A run of % acts as one %, and a %
// at the end becomes the literal "%". Always true.
bool CompileTemplate(std::u16string_view pattern, CompiledTemplate& target);

// Appends each literal token as it stands and each specifier through `expand`(line, kind).
template <typename Expand>
void RenderTokens(const CompiledTemplate& compiled, LineBuffer& line, Expand expand) {
  for (const TemplateToken& token : compiled.Tokens()) {
    if (token.kind == 0) {
      line.Append(token.text);
    } else {
      expand(line, token.kind);
    }
  }
}

// The four line templates of the settings, compiled into their slots (at start-up and whenever the
// templates were edited).
void CompileTemplates(const AppSettings& settings, CompiledTemplate (&compiled)[4]);

}  // namespace qm
