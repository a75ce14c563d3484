#include "quillmere_log/period_commands.h"

#include "output/line_buffer.h"
#include "output/period_usage.h"
#include "output/record_line.h"
#include "output/text_file_writer.h"
#include "output/usage_line.h"
#include "output/usage_order.h"
#include "platform/utf.h"
#include "storage/period_reader.h"

namespace qm {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;

std::string ErrorLine(std::string_view what, const std::u16string& value) {
  return "quillmere-log: " + std::string(what) + ": " + ToUtf8(value) + "\n";
}

bool ParseOne(const std::u16string& text, size_t digits, const char* form, CalendarDate* date, std::string* error) {
  const std::optional<CalendarDate> parsed = ParseDateDigits(text, digits);
  if (!parsed) *error = ErrorLine(std::string("not a date (") + form + ")", text);
  if (parsed) *date = *parsed;
  return parsed.has_value();
}

// Lines go to standard output, or gathered into the file named by --out.
class Sink {
 public:
  Sink(AppState& app, const std::optional<std::u16string>& out, LogToolOutput& output)
      : out_(out), output_(output), file_(app.env) {
    if (out_) opened_ = file_.Open(*out_, app.settings.writeBom != 0);
  }
  void Line(std::u16string_view line) {
    if (!out_) output_.out += ToUtf8(line);
    if (out_ && opened_) file_.WriteLine(line);
  }
  bool Finish() {
    if (!out_ || (opened_ && file_.Commit())) return true;
    output_.err += ErrorLine("cannot write", *out_);
    return false;
  }

 private:
  const std::optional<std::u16string>& out_;
  LogToolOutput& output_;
  TextFileWriter file_;
  bool opened_ = false;
};

// The list template with the date in front when it has no date of its own: "%F " or "%F,".
CompiledTemplate DatedTemplate(const CompiledTemplate& compiled, OutputFormat format) {
  for (const TemplateToken& token : compiled.Tokens()) {
    if (token.kind == kRecordDateSpecifier) return compiled;
  }
  CompiledTemplate dated;
  dated.AddSpecifier(kRecordDateSpecifier);
  dated.AddLiteral(format == OutputFormat::Csv ? u"," : u" ");
  for (const TemplateToken& token : compiled.Tokens()) {
    if (token.kind == 0) dated.AddLiteral(token.text);
    if (token.kind != 0) dated.AddSpecifier(static_cast<char16_t>(token.kind));
  }
  return dated;
}

std::u16string Clock(uint64_t ms) {
  char text[48];
  std::snprintf(text, sizeof text, "%02llu:%02u:%02u.%03u", static_cast<unsigned long long>(ms / 3'600'000),
                static_cast<unsigned>(ms / 60'000 % 60), static_cast<unsigned>(ms / 1'000 % 60),
                static_cast<unsigned>(ms % 1'000));
  return FromUtf8(text);
}

std::u16string Decimal(uint64_t value) { return FromUtf8(std::to_string(value)); }

// Text: "2016-03-05 Sat 8:12:03.456 [1234] 09:01:02.000-18:00:00.000 "path"";
// CSV: "2016-03-05,29523456,1234,32462000,64800000,"path"" (times in ms).
std::u16string DayLine(const DayTotals& day, const PeriodUsage& period, OutputFormat format) {
  static const char16_t* const kWeekdays[] = {u"Sun", u"Mon", u"Tue", u"Wed", u"Thu", u"Fri", u"Sat"};
  const auto path = period.paths.find(day.topExe);
  const std::u16string top = u"\"" + (path != period.paths.end() ? path->second : std::u16string(u"none")) + u"\"";
  const std::u16string date = IsoDateText(day.date);
  if (format == OutputFormat::Csv) {
    return date + u"," + Decimal(day.recorded) + u"," + Decimal(day.records) + u"," + Decimal(day.firstStart) + u"," +
           Decimal(day.lastEnd) + u"," + top;
  }
  std::u16string total = Clock(day.recorded);
  if (total[0] == u'0') total.erase(0, 1);  // hours without a leading zero, as durations print
  return date + u" " + kWeekdays[DayOfWeek(day.date)] + u" " + total + u" [" + Decimal(day.records) + u"] " +
         Clock(day.firstStart) + u"-" + Clock(day.lastEnd) + u" " + top;
}

int ReportUnreadable(const std::vector<std::u16string>& unreadable, LogToolOutput& output) {
  for (const std::u16string& path : unreadable) output.err += ErrorLine("cannot read day log", path);
  return unreadable.empty() ? kExitOk : kExitFailed;
}

int ListPeriod(AppState& app, const PeriodCommand& c, LogToolOutput& output) {
  const TemplateSlot slot = c.format == OutputFormat::Csv ? kListCsvTemplate : kListTextTemplate;
  const CompiledTemplate dated = DatedTemplate(app.templates[slot], c.format);
  Sink sink(app, c.out, output);
  LineBuffer line;
  std::vector<std::u16string> unreadable;
  ReadPeriodDays(
      app.env, c.folders, c.range,
      [&](const CalendarDate& date, const DayLog& day, const StringPool& pool) {
        for (uint32_t i = 0; i < day.Count(); ++i) {
          line.Clear();
          FormatRecordLine(line, pool, dated, day.At(i), &date);
          line.AppendLineEnd(app.settings.newlineMode);
          sink.Line(line.View());
        }
      },
      &unreadable);
  const int code = ReportUnreadable(unreadable, output);
  return sink.Finish() ? code : kExitFailed;
}

int UsageOverPeriod(AppState& app, const PeriodCommand& c, LogToolOutput& output) {
  PeriodUsage period = AggregatePeriod(app.env, c.folders, c.range);
  AcquirePeriodPaths(period, app.pool, UserViewedDay);
  UsageTable& table = period.usage;
  SortUsage(table, app.settings.usageSortDescending != 0, app.settings.usageSortColumn);  // as saved for a day
  Sink sink(app, c.out, output);
  LineBuffer line;
  for (const AppUsageEntry& entry : table.entries) {
    line.Clear();
    UsageLine(line, &entry, app, table.grandTotal, c.format);
    sink.Line(line.View());
  }
  const int code = ReportUnreadable(period.unreadable, output);
  return sink.Finish() ? code : kExitFailed;
}

int DaysOfPeriod(AppState& app, const PeriodCommand& c, LogToolOutput& output) {
  const PeriodUsage period = AggregatePeriod(app.env, c.folders, c.range);
  Sink sink(app, c.out, output);
  LineBuffer line;
  for (const DayTotals& day : period.days) {
    line.Clear();
    line.Append(DayLine(day, period, c.format));
    line.AppendLineEnd(app.settings.newlineMode);
    sink.Line(line.View());
  }
  const int code = ReportUnreadable(period.unreadable, output);
  return sink.Finish() ? code : kExitFailed;
}

}  // namespace

bool ResolveRange(const RangeOptions& o, DateRange* range, std::string* error) {
  const int forms = (o.from || o.to ? 1 : 0) + (o.week ? 1 : 0) + (o.month ? 1 : 0) + (o.year ? 1 : 0);
  if (forms != 1) {
    *error = "quillmere-log: give one range: --from and --to, --week, --month or --year\n";
    return false;
  }
  CalendarDate date;
  if (o.week) {
    if (!ParseOne(*o.week, 8, "YYYYMMDD", &date, error)) return false;
    *range = WeekOf(date);
  } else if (o.month) {
    if (!ParseOne(*o.month, 6, "YYYYMM", &date, error)) return false;
    *range = MonthOf(date.year, date.month);
  } else if (o.year) {
    if (!ParseOne(*o.year, 4, "YYYY", &date, error)) return false;
    *range = YearOf(date.year);
  } else if (!o.from || !o.to) {
    *error = "quillmere-log: --from and --to go together\n";
    return false;
  } else {
    if (!ParseOne(*o.from, 8, "YYYYMMDD", &range->first, error) || !ParseOne(*o.to, 8, "YYYYMMDD", &range->last, error))
      return false;
    if (range->last < range->first) {
      *error = "quillmere-log: the range ends before it begins: " + ToUtf8(*o.from) + " to " + ToUtf8(*o.to) + "\n";
      return false;
    }
  }
  return true;
}

int RunPeriodCommand(AppState& app, const PeriodCommand& command, LogToolOutput& output) {
  if (command.command == u"list") return ListPeriod(app, command, output);
  if (command.command == u"usage") return UsageOverPeriod(app, command, output);
  return DaysOfPeriod(app, command, output);
}

}  // namespace qm
