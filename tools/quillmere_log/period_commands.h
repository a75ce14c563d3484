// quillmere-log over a range of dates: the range options, and list, usage and days over the days of
// one or more log folders.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "core/calendar_date.h"
#include "output/compiled_template.h"
#include "quillmere_log/log_tool.h"

namespace qm {

// The range options as given: --from/--to, --week, --month, --year.
struct RangeOptions {
  std::optional<std::u16string> from, to, week, month, year;
  bool Any() const { return from || to || week || month || year; }
};

// The range the options name; false with one line in `error` for a bad date, a half or double range,
// or a range that ends before it begins.
bool ResolveRange(const RangeOptions& options, DateRange* range, std::string* error);

struct PeriodCommand {
  std::u16string command;  // list, usage or days
  OutputFormat format = OutputFormat::Text;
  DateRange range;
  std::vector<std::u16string> folders;
  std::optional<std::u16string> out;
};

// Runs `command` over the range with the compiled templates of `app`. Unreadable days are named on
// standard error and skipped; the exit code is then 1, the output still complete.
int RunPeriodCommand(AppState& app, const PeriodCommand& command, LogToolOutput& output);

}  // namespace qm
