// The day being recorded written out automatically as list and usage files, text and/or CSV, into
// the folders of the settings under names built from the date. Runs at every save of everything
// and at the day change; nothing is shown to the user.
#pragma once

#include <string>
#include <vector>

#include "output/output_state.h"

namespace qm {

// The name of a kind's files: the template's expansion for `date`, or the fallback's when that is
// empty.
std::u16string ExportBaseName(const LocalTime& date, std::u16string_view pattern, std::u16string_view fallback);

// Each returns true when every file it set out to write was written; a file whose folder does not
// exist is left out. `written`, if given, receives the paths of the files written.
bool ExportList(OutputState& app, const LocalTime& date, std::vector<std::u16string>* written = nullptr);
bool ExportUsage(OutputState& app, const LocalTime& date, std::vector<std::u16string>* written = nullptr);
void RunAutoExport(OutputState& app, const LocalTime& date, std::vector<std::u16string>* written = nullptr);

}  // namespace qm
