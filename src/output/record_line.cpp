#include "output/record_line.h"

namespace qm {
namespace {

constexpr uint32_t kMsPerHour = 3'600'000;
constexpr uint32_t kMsPerMinute = 60'000;
constexpr uint32_t kMsPerSecond = 1'000;

struct RecordFields {
  ActivityRecord header;
  std::u16string_view title;
  std::u16string_view path;
  const CalendarDate* date;
};

void AppendSpecifier(LineBuffer& line, uint32_t kind, const RecordFields& r) {
  const uint32_t start = r.header.start;
  const uint32_t duration = r.header.duration;
  switch (kind) {
    case u'h': return line.AppendDecimal(start / kMsPerHour);
    case u'H': return line.AppendDecimal(start / kMsPerHour % 100, 2);
    case u'm': return line.AppendDecimal(start / kMsPerMinute % 60);
    case u'M': return line.AppendDecimal(start / kMsPerMinute % 60, 2);
    case u's': return line.AppendDecimal(start / kMsPerSecond % 60);
    case u'S': return line.AppendDecimal(start / kMsPerSecond % 60, 2);
    case u'l': return line.AppendDecimal(start % 1000);
    case u'L': return line.AppendDecimal(start % 1000, 3);
    case u'i': return line.AppendDecimal(start);
    case u'n': return line.AppendDecimal(duration / kMsPerMinute);
    case u'e': return line.AppendDecimal(duration / kMsPerSecond % 60);
    case u'E': return line.AppendDecimal(duration / kMsPerSecond % 60, 2);
    case u'c': return line.AppendDecimal(duration % 1000);
    case u'C': return line.AppendDecimal(duration % 1000, 3);
    case u'd': return line.AppendDecimal(duration);
    case u't': return line.Append(r.title);
    case u'x': return line.Append(r.path);
    case kRecordDateSpecifier:
      if (r.date != nullptr) return line.Append(IsoDateText(*r.date));
      [[fallthrough]];
    default: return line.AppendUnknownSpecifier(kind);
  }
}

void RecordLineWithEnd(LineBuffer& line, const uint8_t* record, const OutputState& app, TemplateSlot slot) {
  FormatRecordLine(line, app.pool, app.templates[slot], record);
  line.AppendLineEnd(app.settings.newlineMode);
}

}  // namespace

bool FormatRecordLine(LineBuffer& line, const StringPool& pool, const CompiledTemplate& compiled,
                      const uint8_t* record, const CalendarDate* date) {
  if (record == nullptr || compiled.Empty()) return false;
  line.Clear();
  RecordFields fields{ReadRecordHeader(record), RecordTitle(record), u"none", date};
  if (const PoolEntry* entry = pool.Find(static_cast<int32_t>(fields.header.exeKey))) {
    if (entry->text) fields.path = entry->Text();
  }
  RenderTokens(compiled, line, [&](LineBuffer& l, uint32_t kind) { AppendSpecifier(l, kind, fields); });
  return true;
}

void ListTextLine(LineBuffer& line, const uint8_t* record, const OutputState& app) {
  RecordLineWithEnd(line, record, app, kListTextTemplate);
}

void ListCsvLine(LineBuffer& line, const uint8_t* record, const OutputState& app) {
  RecordLineWithEnd(line, record, app, kListCsvTemplate);
}

void ListLine(LineBuffer& line, const uint8_t* record, const OutputState& app, OutputFormat format) {
  RecordLineWithEnd(line, record, app, format == OutputFormat::Csv ? kListCsvTemplate : kListTextTemplate);
}

}  // namespace qm
