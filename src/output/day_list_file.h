// The day list saved as a UTF-16LE text or CSV file.
#pragma once

#include <string>

#include "output/output_state.h"
#include "output/list_model.h"

namespace qm {

// Text: the rows in the list's displayed order, through the list text template. CSV: the records in
// the order they were recorded, through the list CSV template. Both start with FF FE when `writeBom`
// is set and end lines by `newlineMode`. False (any previous file kept) when there is no path or no
// shown day, or the file could not be written completely.
bool WriteDayListText(const OutputState& app, const ListModel& list, const std::u16string& path);
bool WriteDayListCsv(const OutputState& app, const ListModel& list, const std::u16string& path);
bool WriteDayList(const OutputState& app, const ListModel& list, const std::u16string& path, OutputFormat format);

}  // namespace qm
