// One usage entry rendered through a usage template: share, total, average, path and count.
#pragma once

#include <cstdint>

#include "output/output_state.h"
#include "core/string_pool.h"
#include "output/compiled_template.h"
#include "output/line_buffer.h"
#include "output/usage_table.h"

namespace qm {

// Renders `entry` (or nullptr) into `line`, which is cleared first. False, with `line` untouched,
// when there is no entry, the template has no tokens, `grandTotal` is 0 or the entry has no records.
bool FormatUsageLine(LineBuffer& line, const AppUsageEntry* entry, const CompiledTemplate& compiled,
                     const StringPool& pool, uint64_t grandTotal);

// The entry with the usage text or usage CSV template of `app` and the configured line end. The
// caller clears `line` first; a line that could not be formatted is the line end alone.
void UsageTextLine(LineBuffer& line, const AppUsageEntry* entry, const OutputState& app, uint64_t grandTotal);
void UsageCsvLine(LineBuffer& line, const AppUsageEntry* entry, const OutputState& app, uint64_t grandTotal);
// One of the two by `format`.
void UsageLine(LineBuffer& line, const AppUsageEntry* entry, const OutputState& app, uint64_t grandTotal,
               OutputFormat format);

}  // namespace qm
