#include "output/usage_file.h"

#include "output/text_file_writer.h"
#include "output/usage_line.h"
#include "output/usage_order.h"

namespace qm {

void AggregateForSaving(const OutputState& app, const DayLog& day, UsageTable& table) {
  AggregateUsage(day, table);
  SortUsage(table, app.settings.usageSortDescending != 0, app.settings.usageSortColumn);
}

bool WriteUsageFile(const OutputState& app, const UsageTable& table, const std::u16string& path, OutputFormat format) {
  TextFileWriter file(app.env);
  if (path.empty() || !file.Open(path, app.settings.writeBom != 0)) return false;
  LineBuffer line;
  for (const AppUsageEntry& entry : table.entries) {
    line.Clear();
    UsageLine(line, &entry, app, table.grandTotal, format);
    file.WriteLine(line.View());
  }
  return file.Commit();
}

}  // namespace qm
