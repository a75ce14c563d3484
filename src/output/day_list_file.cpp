#include "output/day_list_file.h"

#include "output/record_line.h"
#include "output/text_file_writer.h"

namespace qm {
namespace {

bool OpenFor(const OutputState& app, const ListModel& list, const std::u16string& path, TextFileWriter& file) {
  if (path.empty() || list.Source() == nullptr) return false;
  return file.Open(path, app.settings.writeBom != 0);
}

}  // namespace

bool WriteDayListText(const OutputState& app, const ListModel& list, const std::u16string& path) {
  TextFileWriter file(app.env);
  if (!OpenFor(app, list, path, file)) return false;
  LineBuffer line;
  for (uint32_t row = 0; row < list.RowCount(); ++row) {
    line.Clear();
    ListTextLine(line, list.RecordOfRow(row), app);
    file.WriteLine(line.View());
  }
  return file.Commit();
}

bool WriteDayListCsv(const OutputState& app, const ListModel& list, const std::u16string& path) {
  TextFileWriter file(app.env);
  if (!OpenFor(app, list, path, file)) return false;
  const DayLog& day = *list.Source();
  LineBuffer line;
  for (uint32_t index = 0; index < day.Count(); ++index) {
    line.Clear();
    ListCsvLine(line, day.At(index), app);
    file.WriteLine(line.View());
  }
  return file.Commit();
}

bool WriteDayList(const OutputState& app, const ListModel& list, const std::u16string& path, OutputFormat format) {
  return format == OutputFormat::Csv ? WriteDayListCsv(app, list, path) : WriteDayListText(app, list, path);
}

}  // namespace qm
