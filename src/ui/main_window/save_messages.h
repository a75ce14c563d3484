// The texts of the main window's messages about the day's files: a save at exit that did not get
// through, and files set aside at start-up because they could not be read.
#pragma once

#include <string>
#include <vector>

#include "storage/day_log_file.h"
#include "ui/text/texts.h"

namespace qm {

// Asks whether to try again; names the file, the reason, and what ending now means for the records
// (kept in the journal for the next start, or lost when the journal could not be written either).
std::u16string ExitSaveFailedText(std::u16string_view path, SaveFailure why, bool journalKept);
// Tells under which names unreadable files were kept.
std::u16string KeptAsideText(const std::vector<std::u16string>& paths);

}  // namespace qm
