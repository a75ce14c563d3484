// The text that the copy commands put on the clipboard: the selected rows rendered one line each.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "output/output_state.h"
#include "output/list_model.h"
#include "output/usage_index_list.h"

namespace qm {

// Selected rows of the main list (in displayed order) through the list text or CSV template;
// rows without a record are skipped.
std::u16string RecordRowsText(const OutputState& app, const ListModel& list, std::span<const uint32_t> rows,
                              OutputFormat format);
// Selected rows of the usage window through the usage text or CSV template with the table's grand
// total; rows without an entry are skipped.
std::u16string UsageRowsText(const OutputState& app, const UsageIndexList& index, std::span<const uint32_t> rows,
                             OutputFormat format);

}  // namespace qm
