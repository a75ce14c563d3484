#include "output/auto_export.h"

#include "core/fixed_string.h"
#include "output/file_name_template.h"
#include "output/record_line.h"
#include "output/text_file_writer.h"
#include "output/usage_file.h"
#include "output/usage_line.h"

namespace qm {
namespace {

// The CSV and text files of one kind: same folder and base name, ".csv" and ".txt".
class ExportPair {
 public:
  explicit ExportPair(Env& env) : csv_(env), text_(env) {}

  void Open(Env& env, const std::u16string& dir, const std::u16string& name, bool csv, bool text, bool bom) {
    if (dir.empty() || !env.IsFolder(dir)) return;
    // The extension goes on before joining, so that a name such as ".." stays inside the folder.
    if (csv) OpenOne(csv_, env.CombinePath(dir, name + u".csv"), csvPath_, bom);
    if (text) OpenOne(text_, env.CombinePath(dir, name + u".txt"), textPath_, bom);
  }
  bool AnyOpen() const { return csv_.IsOpen() || text_.IsOpen(); }

  // One line per open file, each rendered by `render`(line, format) with that file's template.
  template <typename Render>
  void WriteEach(LineBuffer& line, Render render) {
    WriteOne(csv_, OutputFormat::Csv, line, render);
    WriteOne(text_, OutputFormat::Text, line, render);
  }

  bool Commit(std::vector<std::u16string>* written) {
    bool ok = true;
    ok = CommitOne(csv_, csvPath_, written) && ok;
    ok = CommitOne(text_, textPath_, written) && ok;
    return ok;
  }

 private:
  template <typename Render>
  static void WriteOne(TextFileWriter& file, OutputFormat format, LineBuffer& line, Render render) {
    if (!file.IsOpen()) return;
    line.Clear();
    render(line, format);
    file.WriteLine(line.View());
  }
  static void OpenOne(TextFileWriter& file, const std::u16string& path, std::u16string& kept, bool bom) {
    if (file.Open(path, bom)) kept = path;
  }
  static bool CommitOne(TextFileWriter& file, const std::u16string& path, std::vector<std::u16string>* written) {
    if (!file.IsOpen()) return true;
    const bool ok = file.Commit();
    if (ok && written != nullptr) written->push_back(path);
    return ok;
  }

  TextFileWriter csv_, text_;
  std::u16string csvPath_, textPath_;
};

}  // namespace

std::u16string ExportBaseName(const LocalTime& date, std::u16string_view pattern, std::u16string_view fallback) {
  std::u16string name = ExpandFileNameTemplate(date, pattern);
  return name.empty() ? ExpandFileNameTemplate(date, fallback) : name;
}

bool ExportList(OutputState& app, const LocalTime& date, std::vector<std::u16string>* written) {
  const AppSettings& s = app.settings;
  const std::u16string name = ExportBaseName(date, ArrayText(s.listExportName), u"%y%M%D");
  ExportPair files(app.env);
  files.Open(app.env, std::u16string(ArrayText(s.listExportFolder)), name, s.listCsvExport != 0,
             s.listTextExport != 0, s.writeBom != 0);
  if (!files.AnyOpen()) return false;
  const DayLog& day = app.sampler.day;
  LineBuffer line;
  for (uint32_t index = 0; index < day.Count(); ++index) {
    files.WriteEach(line, [&](LineBuffer& l, OutputFormat format) { ListLine(l, day.At(index), app, format); });
  }
  return files.Commit(written);
}

bool ExportUsage(OutputState& app, const LocalTime& date, std::vector<std::u16string>* written) {
  const AppSettings& s = app.settings;
  UsageTable table;
  AggregateForSaving(app, app.sampler.day, table);
  // A day without entries leaves any earlier export of that day as it was.
  if (table.entries.empty()) return false;
  const std::u16string name = ExportBaseName(date, ArrayText(s.usageExportName), u"%y%M%Dapp");
  ExportPair files(app.env);
  files.Open(app.env, std::u16string(ArrayText(s.usageExportFolder)), name, s.usageCsvExport != 0,
             s.usageTextExport != 0, s.writeBom != 0);
  if (!files.AnyOpen()) return false;
  LineBuffer line;
  for (const AppUsageEntry& entry : table.entries) {
    files.WriteEach(line, [&](LineBuffer& l, OutputFormat format) {
      UsageLine(l, &entry, app, table.grandTotal, format);
    });
  }
  return files.Commit(written);
}

void RunAutoExport(OutputState& app, const LocalTime& date, std::vector<std::u16string>* written) {
  ExportList(app, date, written);
  ExportUsage(app, date, written);
}

}  // namespace qm
