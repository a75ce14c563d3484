#include "output/usage_line.h"

#include "output/usage_figures.h"

namespace qm {
namespace {

struct UsageFields {
  const AppUsageEntry& entry;
  uint64_t grandTotal;
  uint64_t average;
  DurationParts total;
  DurationParts mean;
  std::u16string_view path;
};

// The share of the day as "P.FF".
void AppendRate(LineBuffer& line, const UsageFields& f) {
  const UsageRate rate(f.entry.totalDuration, f.grandTotal);
  line.AppendDecimal(rate.percent);
  line.Append(u".");
  line.AppendDecimal(rate.hundredths, 2);
}

// The usage template's own specifier table; letters mean other things than in record lines.
void AppendSpecifier(LineBuffer& line, uint32_t kind, const UsageFields& f) {
  switch (kind) {
    case u'r': return AppendRate(line, f);
    case u'h': return line.AppendDecimal(f.total.hours);
    case u'H': return line.AppendDecimal(f.total.hours, 2);
    case u'm': return line.AppendDecimal(f.total.minutes);
    case u'M': return line.AppendDecimal(f.total.minutes, 2);
    case u's': return line.AppendDecimal(f.total.seconds);
    case u'S': return line.AppendDecimal(f.total.seconds, 2);
    case u'l': return line.AppendDecimal(f.total.millis);
    case u'L': return line.AppendDecimal(f.total.millis, 3);
    case u'd': return line.AppendDecimal(f.entry.totalDuration);
    case u'o': return line.AppendDecimal(f.mean.hours);
    case u'n': return line.AppendDecimal(f.mean.minutes);
    case u'N': return line.AppendDecimal(f.mean.minutes, 2);
    case u'e': return line.AppendDecimal(f.mean.seconds);
    case u'E': return line.AppendDecimal(f.mean.seconds, 2);
    case u'c': return line.AppendDecimal(f.mean.millis);
    case u'C': return line.AppendDecimal(f.mean.millis, 3);
    case u'a': return line.AppendDecimal(f.average);
    case u'x': return line.Append(f.path);
    case u'u': return line.AppendDecimal(f.entry.count);
    default: return line.AppendUnknownSpecifier(kind);
  }
}

void UsageLineWithEnd(LineBuffer& line, const AppUsageEntry* entry, const OutputState& app, uint64_t grandTotal,
                      TemplateSlot slot) {
  FormatUsageLine(line, entry, app.templates[slot], app.pool, grandTotal);
  line.AppendLineEnd(app.settings.newlineMode);
}

}  // namespace

bool FormatUsageLine(LineBuffer& line, const AppUsageEntry* entry, const CompiledTemplate& compiled,
                     const StringPool& pool, uint64_t grandTotal) {
  if (entry == nullptr || compiled.Empty() || grandTotal == 0 || entry->count == 0) return false;
  line.Clear();
  const uint64_t average = entry->totalDuration / entry->count;
  const PoolEntry* path = pool.Find(entry->exeKey);
  const UsageFields fields{*entry, grandTotal, average, DurationParts(entry->totalDuration), DurationParts(average),
                           path != nullptr ? path->Text() : std::u16string_view(u"none")};
  RenderTokens(compiled, line, [&](LineBuffer& l, uint32_t kind) { AppendSpecifier(l, kind, fields); });
  return true;
}

void UsageTextLine(LineBuffer& line, const AppUsageEntry* entry, const OutputState& app, uint64_t grandTotal) {
  UsageLineWithEnd(line, entry, app, grandTotal, kUsageTextTemplate);
}

void UsageCsvLine(LineBuffer& line, const AppUsageEntry* entry, const OutputState& app, uint64_t grandTotal) {
  UsageLineWithEnd(line, entry, app, grandTotal, kUsageCsvTemplate);
}

void UsageLine(LineBuffer& line, const AppUsageEntry* entry, const OutputState& app, uint64_t grandTotal,
               OutputFormat format) {
  UsageLineWithEnd(line, entry, app, grandTotal, format == OutputFormat::Csv ? kUsageCsvTemplate : kUsageTextTemplate);
}

}  // namespace qm
