#include "output/clipboard_text.h"

#include "output/record_line.h"
#include "output/usage_line.h"

namespace qm {

std::u16string RecordRowsText(const OutputState& app, const ListModel& list, std::span<const uint32_t> rows,
                              OutputFormat format) {
  std::u16string text;
  LineBuffer line;
  for (const uint32_t row : rows) {
    const uint8_t* record = list.RecordOfRow(row);
    if (record == nullptr) continue;
    line.Clear();
    ListLine(line, record, app, format);
    text.append(line.View());
  }
  return text;
}

std::u16string UsageRowsText(const OutputState& app, const UsageIndexList& index, std::span<const uint32_t> rows,
                             OutputFormat format) {
  std::u16string text;
  if (index.Table() == nullptr) return text;
  const uint64_t grandTotal = index.Table()->grandTotal;
  LineBuffer line;
  for (const uint32_t row : rows) {
    const AppUsageEntry* entry = index.EntryOfRow(row);
    if (entry == nullptr) continue;
    line.Clear();
    UsageLine(line, entry, app, grandTotal, format);
    text.append(line.View());
  }
  return text;
}

}  // namespace qm
