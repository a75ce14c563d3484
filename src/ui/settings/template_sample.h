// What the output-string window does without a window: the test line of a template on sample data,
// and storing an edited template with its compiled form.
#pragma once

#include <string>
#include <string_view>

#include "output/output_state.h"

namespace qm {

// The edits hold one code unit less than the stored field, which keeps its terminator.
inline constexpr size_t kTemplateEditUnits = kTemplateUnits - 1;

// The sample the test buttons render: for the list templates a record starting at 01:02:03.456 that
// lasted 62,345 ms with the title "DummyTitle"; for the usage templates an entry of 123,456 ms in 123
// records out of a day of 1,234,567 ms. Both name the executable key 0, so %x shows the path stored
// under that key, or "none". No line end is added; an empty template gives an empty line.
std::u16string TemplateTestLine(TemplateSlot slot, std::u16string_view pattern, const StringPool& pool);

// The settings field that holds the template of `slot`.
char16_t (&TemplateField(AppSettings& settings, TemplateSlot slot))[kTemplateUnits];

// Stores the edited text (at most kTemplateEditUnits code units) and recompiles the slot from it.
void StoreTemplate(OutputState& app, TemplateSlot slot, std::u16string_view text);

}  // namespace qm
