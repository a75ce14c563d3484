// The usage statistics saved as a UTF-16LE text or CSV file.
#pragma once

#include <string>

#include "output/output_state.h"
#include "output/usage_table.h"

namespace qm {

// `table` aggregated from `day` and put in the order of saved statistics (usageSortColumn and
// usageSortDescending of the settings).
void AggregateForSaving(const OutputState& app, const DayLog& day, UsageTable& table);

// The entries in table order through the usage text or CSV template, with the table's grand total;
// FF FE first when `writeBom` is set. False (any previous file kept) when the file could not be
// written completely.
bool WriteUsageFile(const OutputState& app, const UsageTable& table, const std::u16string& path, OutputFormat format);

}  // namespace qm
