#include "quillmere_log/log_tool.h"

#include <numeric>
#include <optional>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "output/auto_export.h"
#include "output/clipboard_text.h"
#include "output/day_list_file.h"
#include "output/list_model.h"
#include "output/usage_file.h"
#include "platform/utf.h"
#include "quillmere_log/period_commands.h"
#include "storage/day_log_file.h"
#include "storage/legacy_day_log_file.h"
#include "storage/log_folder.h"
#include "storage/settings_file.h"

namespace qm {
namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "usage: quillmere-log info LOG\n"
    "       quillmere-log list  [--csv] [--template T] [--config FILE] [--out FILE] (LOG | RANGE)\n"
    "       quillmere-log usage [--csv] [--template T] [--config FILE] [--out FILE] (LOG | RANGE)\n"
    "       quillmere-log days  [--csv] [--config FILE] [--out FILE] RANGE\n"
    "       quillmere-log export [--config FILE] LOG...\n"
    "LOG is a day log (.bin2, or .bin of the earlier product).\n"
    "RANGE is --from YYYYMMDD --to YYYYMMDD, --week YYYYMMDD (Monday to Sunday), --month YYYYMM or\n"
    "--year YYYY, over the day logs of every --log DIR given (default: the log folder beside this\n"
    "tool); a date in several folders counts the logs of each. Over a range, list lines carry their\n"
    "date through %F (2016-03-05), put in front when the template has none.\n";

struct Arguments {
  std::u16string command;
  bool csv = false;
  std::optional<std::u16string> pattern;
  std::optional<std::u16string> config;
  std::optional<std::u16string> out;
  std::vector<std::u16string> logs;
  RangeOptions range;
  std::vector<std::u16string> logFolders;
};

// The range options and --log; false for anything else.
bool TakeRangeOption(const std::u16string& a, const std::u16string& value, Arguments& parsed) {
  RangeOptions& r = parsed.range;
  std::optional<std::u16string>* slot = a == u"--from"    ? &r.from
                                        : a == u"--to"    ? &r.to
                                        : a == u"--week"  ? &r.week
                                        : a == u"--month" ? &r.month
                                        : a == u"--year"  ? &r.year
                                                          : nullptr;
  if (slot != nullptr && !*slot) *slot = value;
  if (a == u"--log") parsed.logFolders.push_back(value);
  return (slot != nullptr && *slot == value) || a == u"--log";
}

// Options any place after the command; false on anything the command does not take.
bool ParseArguments(const std::vector<std::u16string>& args, Arguments& parsed) {
  if (args.empty()) return false;
  parsed.command = args[0];
  const bool days = parsed.command == u"days";
  const bool rendering = parsed.command == u"list" || parsed.command == u"usage";
  const bool exporting = parsed.command == u"export";
  if (!rendering && !exporting && !days && parsed.command != u"info") return false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::u16string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == u"--csv" && (rendering || days)) {
      parsed.csv = true;
    } else if (a == u"--template" && rendering && hasValue) {
      parsed.pattern = args[++i];
    } else if (a == u"--out" && (rendering || days) && hasValue) {
      parsed.out = args[++i];
    } else if ((rendering || days) && hasValue && TakeRangeOption(a, args[i + 1], parsed)) {
      ++i;
    } else if (a == u"--config" && (rendering || exporting || days) && hasValue) {
      parsed.config = args[++i];
    } else if (a.size() > 1 && a[0] == u'-') {
      return false;
    } else {
      parsed.logs.push_back(a);
    }
  }
  // Templates are edited in boxes of 127 code units; the stored field holds no more.
  if (parsed.pattern && parsed.pattern->size() >= kTemplateUnits) return false;
  if (exporting) return !parsed.logs.empty();
  // A range, or one log; --log only with a range.
  const bool ranged = parsed.range.Any();
  if (days || ranged) return ranged && parsed.logs.empty();
  return parsed.logs.size() == 1 && parsed.logFolders.empty();
}

class LogTool {
 public:
  LogTool(Env& env, LogToolOutput& output) : app_(env), output_(output) {}

  int Run(const Arguments& a) {
    if (a.config && !LoadConfig(*a.config)) return kExitFailed;
    CompileTemplates(app_.settings, app_.templates);
    if (a.command == u"info") return Info(a.logs[0]);
    if (a.command == u"export") return Export(a.logs);
    const OutputFormat format = a.csv ? OutputFormat::Csv : OutputFormat::Text;
    if (a.pattern) CompileTemplate(*a.pattern, app_.templates[SlotFor(a.command, format)]);
    if (a.range.Any()) return Period(a, format);
    if (!Load(a.logs[0], app_.viewedDay, UserViewedDay)) return kExitFailed;
    return a.command == u"list" ? List(format, a.out) : Usage(format, a.out);
  }

 private:
  static TemplateSlot SlotFor(const std::u16string& command, OutputFormat format) {
    if (command == u"list") return format == OutputFormat::Csv ? kListCsvTemplate : kListTextTemplate;
    return format == OutputFormat::Csv ? kUsageCsvTemplate : kUsageTextTemplate;
  }

  void Error(std::string_view what, const std::u16string& path) {
    output_.err += "quillmere-log: " + std::string(what) + ": " + ToUtf8(path) + "\n";
  }

  // The program's own loader; like the program at start-up, a file whose later blocks are missing
  // still gives the settings it holds.
  bool LoadConfig(const std::u16string& path) {
    if (!app_.env.FileExists(path)) {
      Error("cannot read settings file", path);
      return false;
    }
    LoadSettingsFileFrom(app_, path);
    return true;
  }

  // By the extension, as the main window opens a file.
  bool Load(const std::u16string& path, DayLog& target, uint16_t user) {
    target.Clear();
    const DayLogKind kind = DayLogKindOf(path);
    bool loaded = false;
    if (kind == DayLogKind::Current) loaded = LoadDayLogFile(app_, target, path, user);
    if (kind == DayLogKind::Legacy) loaded = LoadLegacyDayLogFile(app_, target, path, user);
    if (kind == DayLogKind::Other) {
      Error("not a day log (.bin2 or .bin)", path);
    } else if (!loaded) {
      target.Clear();
      Error("cannot read day log", path);
    }
    return loaded;
  }

  // Bad ranges and missing folders are the caller's mistake: one line and exit code 2.
  int Period(const Arguments& a, OutputFormat format) {
    PeriodCommand command{a.command, format, {}, a.logFolders, a.out};
    std::string error;
    if (!ResolveRange(a.range, &command.range, &error)) {
      output_.err += error;
      return kExitUsage;
    }
    if (command.folders.empty()) command.folders.push_back(LogFolder(app_.env));
    for (const std::u16string& folder : command.folders) {
      if (app_.env.IsFolder(folder)) continue;
      Error("no such folder", folder);
      return kExitUsage;
    }
    return RunPeriodCommand(app_, command, output_);
  }

  int Info(const std::u16string& path);
  int List(OutputFormat format, const std::optional<std::u16string>& out);
  int Usage(OutputFormat format, const std::optional<std::u16string>& out);
  int Export(const std::vector<std::u16string>& logs);

  AppState app_;
  LogToolOutput& output_;
};

std::vector<uint32_t> AllRows(uint32_t count) {
  std::vector<uint32_t> rows(count);
  std::iota(rows.begin(), rows.end(), 0u);
  return rows;
}

std::string Clock(uint64_t ms) {
  char text[48];
  std::snprintf(text, sizeof text, "%llu:%02u:%02u.%03u", static_cast<unsigned long long>(ms / 3'600'000),
                static_cast<unsigned>(ms / 60'000 % 60), static_cast<unsigned>(ms / 1'000 % 60),
                static_cast<unsigned>(ms % 1'000));
  return text;
}

int LogTool::Info(const std::u16string& path) {
  if (!Load(path, app_.viewedDay, UserViewedDay)) return kExitFailed;
  const DayLog& day = app_.viewedDay;
  uint64_t total = 0;
  for (uint32_t i = 0; i < day.Count(); ++i) total += day.Header(i).duration;
  const bool any = day.Count() > 0;
  std::string& o = output_.out;
  o += "file: " + ToUtf8(path) + "\n";
  o += std::string("format: ") + (DayLogKindOf(path) == DayLogKind::Current ? "bin2" : "bin") + "\n";
  o += "strings: " + std::to_string(app_.pool.Size()) + "\n";
  o += "records: " + std::to_string(day.Count()) + "\n";
  o += "first start: " + (any ? Clock(day.Header(0).start) : std::string("-")) + "\n";
  o += "last start: " + (any ? Clock(day.Header(day.Count() - 1).start) : std::string("-")) + "\n";
  o += "total duration: " + Clock(total) + "\n";
  return kExitOk;
}

int LogTool::List(OutputFormat format, const std::optional<std::u16string>& out) {
  ListModel list;
  list.Rebuild(app_.viewedDay);
  if (out) {
    if (WriteDayList(app_, list, *out, format)) return kExitOk;
    Error("cannot write", *out);
    return kExitFailed;
  }
  output_.out += ToUtf8(RecordRowsText(app_, list, AllRows(list.RowCount()), format));
  return kExitOk;
}

int LogTool::Usage(OutputFormat format, const std::optional<std::u16string>& out) {
  UsageTable table;
  AggregateForSaving(app_, app_.viewedDay, table);
  if (out) {
    if (WriteUsageFile(app_, table, *out, format)) return kExitOk;
    Error("cannot write", *out);
    return kExitFailed;
  }
  UsageIndexList index;
  index.Rebuild(table);  // entry order, which is already the saved order
  output_.out += ToUtf8(UsageRowsText(app_, index, AllRows(index.RowCount()), format));
  return kExitOk;
}

int LogTool::Export(const std::vector<std::u16string>& logs) {
  // Every log is checked before anything is written, so a bad one leaves no files behind.
  bool allReadable = true;
  for (const std::u16string& path : logs) {
    if (!DateOfDayLogName(app_.env.FindFileName(path))) {
      Error("no date in the file name", path);
      allReadable = false;
    } else if (!Load(path, app_.viewedDay, UserViewedDay)) {
      allReadable = false;
    }
    app_.viewedDay.Clear();
    app_.pool.Release(UserViewedDay);
  }
  if (!allReadable) return kExitFailed;
  for (const std::u16string& path : logs) {
    // The day is exported as the day being recorded, exactly as at a save of everything.
    app_.pool.Release(UserCurrentDay);
    if (!Load(path, app_.sampler.day, UserCurrentDay)) return kExitFailed;
    const LocalTime date = *DateOfDayLogName(app_.env.FindFileName(path));
    app_.sampler.lastTick = date;
    std::vector<std::u16string> written;
    RunAutoExport(app_, date, &written);
    for (const std::u16string& file : written) output_.out += "wrote " + ToUtf8(file) + "\n";
    if (written.empty()) output_.err += "quillmere-log: nothing exported for " + ToUtf8(path) + "\n";
  }
  return kExitOk;
}

}  // namespace

int RunLogTool(Env& env, const std::vector<std::u16string>& args, LogToolOutput& output) {
  Arguments parsed;
  if (!ParseArguments(args, parsed)) {
    output.err += kUsage;
    return kExitUsage;
  }
  LogTool tool(env, output);
  return tool.Run(parsed);
}

}  // namespace qm
