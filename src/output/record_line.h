// One activity record rendered through a list template: the text and CSV lines of the day list.
#pragma once

#include <cstdint>

#include "core/calendar_date.h"
#include "core/string_pool.h"
#include "output/output_state.h"
#include "output/compiled_template.h"
#include "output/line_buffer.h"

namespace qm {

// The record's date, "2016-03-05": given only where lines of several days meet (a period's list);
// elsewhere %F prints as written, as it always has.
inline constexpr char16_t kRecordDateSpecifier = u'F';

// Renders `record` (bytes as a DayLog holds them, or nullptr) into `line`, which is cleared first.
// False, with `line` untouched, when there is no record or the template has no tokens.
bool FormatRecordLine(LineBuffer& line, const StringPool& pool, const CompiledTemplate& compiled,
                      const uint8_t* record, const CalendarDate* date = nullptr);

// The record with the list text or list CSV template of `app` and the configured line end. The
// caller clears `line` first; a line that could not be formatted is the line end alone.
void ListTextLine(LineBuffer& line, const uint8_t* record, const OutputState& app);
void ListCsvLine(LineBuffer& line, const uint8_t* record, const OutputState& app);
// One of the two by `format`.
void ListLine(LineBuffer& line, const uint8_t* record, const OutputState& app, OutputFormat format);

}  // namespace qm
