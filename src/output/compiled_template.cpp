#include "output/compiled_template.h"

#include "core/fixed_string.h"

namespace qm {

bool CompileTemplate(std::u16string_view pattern, CompiledTemplate& target) {
  target.Clear();
  std::u16string literal;
  bool percentPending = false;
  for (const char16_t c : pattern) {
    if (c == u'%') {
      // Every % closes the literal before it, even an empty one: that is how a run of % collapses.
      target.AddLiteral(literal);
      literal.clear();
      percentPending = true;
    } else if (percentPending) {
      target.AddSpecifier(c);
      percentPending = false;
    } else {
      literal.push_back(c);
    }
  }
  if (!literal.empty()) {
    target.AddLiteral(literal);
  } else if (percentPending) {
    target.AddLiteral(u"%");
  }
  return true;
}

void CompileTemplates(const AppSettings& settings, CompiledTemplate (&compiled)[4]) {
  CompileTemplate(ArrayText(settings.listTextTemplate), compiled[kListTextTemplate]);
  CompileTemplate(ArrayText(settings.listCsvTemplate), compiled[kListCsvTemplate]);
  CompileTemplate(ArrayText(settings.usageTextTemplate), compiled[kUsageTextTemplate]);
  CompileTemplate(ArrayText(settings.usageCsvTemplate), compiled[kUsageCsvTemplate]);
}

}  // namespace qm
