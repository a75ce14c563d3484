#include "storage/day_log_file.h"

#include <cstring>
#include <vector>

#include "platform/path_util.h"
#include "storage/compressed_section.h"
#include "storage/legacy_day_log_file.h"
#include "storage/log_folder.h"

namespace qm {
namespace {

constexpr SectionRules kStringRules{true, kSectionSlack, kSectionSlack, kSectionSlack, false, kMaxSectionRawBytes};
constexpr SectionRules kRecordRules{false, 0, kSectionSlack, kSectionSlack, true, kMaxSectionRawBytes};

void AppendStringEntry(std::vector<uint8_t>* table, const char16_t* text, uint16_t byteSize) {
  const auto* size = reinterpret_cast<const uint8_t*>(&byteSize);
  const auto* bytes = reinterpret_cast<const uint8_t*>(text);
  table->insert(table->end(), size, size + 2);
  table->insert(table->end(), bytes, bytes + byteSize);
}

// The string table: for each current-day entry with a text, its byte size (16 bits) and the text. A
// day whose records name no path of the day (an entry carried over midnight keeps its path with the
// old day) gets the empty path alone, so that it can still be saved and read.
void BuildStringTable(const StringPool& pool, std::vector<uint8_t>* table) {
  table->reserve(static_cast<size_t>(pool.currentDayStringBytes) + 4 * pool.Size() + 4);
  for (const auto& [key, entry] : pool.Entries()) {
    if (entry.text && (entry.users & UserCurrentDay)) AppendStringEntry(table, entry.text.get(), entry.byteSize);
  }
  if (table->empty()) AppendStringEntry(table, u"", 2);
}

// Acquires every entry of an expanded string table; false at an entry larger than 520 bytes.
bool AcquireStrings(StringPool& pool, const Section& section, uint16_t user) {
  const uint8_t* raw = section.data.data();
  for (uint32_t offset = 0; offset < section.rawLength;) {
    uint16_t n;
    std::memcpy(&n, raw + offset, 2);  // within the output slack even at the very end
    if (n > kMaxStringEntryBytes) return false;
    // The text ends at its first 0, inside the entry and inside the expanded data.
    const size_t available = section.data.size() - (offset + 2);
    const size_t units = std::min<size_t>(n, available) / 2;
    std::u16string text(units, u'\0');
    std::memcpy(text.data(), raw + offset + 2, units * 2);
    pool.Intern(text, user);
    offset += n + 2u;
  }
  return true;
}

// Keeps the records that pass the bounds, moved together in place, and hands the block to the target
// without copying it. A size of 0 or a record running past the end ends the walk.
void TakeRecords(Section& section, DayLog& target) {
  uint8_t* raw = section.data.data();
  const uint32_t rawLength = section.rawLength;
  std::vector<uint32_t> offsets;
  offsets.reserve(rawLength / 24 + 1);
  uint32_t kept = 0;
  for (uint32_t offset = 0; offset < rawLength;) {
    const ActivityRecord header = ReadRecordHeader(raw + offset);  // the slack covers a short tail
    if (header.size == 0 || header.size > rawLength - offset) break;
    // A record must hold its own header and keep the next one aligned; others are skipped.
    const bool fits = header.size >= kRecordHeaderBytes && header.size <= kMaxRecordBytes && header.size % 8 == 0;
    if (fits && IsValidTimeRange(header.start, header.duration)) {
      if (kept != offset) std::memmove(raw + kept, raw + offset, header.size);
      offsets.push_back(kept);
      kept += header.size;
    }
    offset += header.size;
  }
  target.Adopt(std::move(section.data), kept, std::move(offsets));
}

std::u16string PathOfDay(Env& env, const std::u16string& folder, uint16_t y, uint16_t m, uint16_t d,
                         std::u16string_view extension) {
  return env.CombinePath(folder, DayLogFileName(y, m, d, extension));
}

}  // namespace

DayLogKind DayLogKindOf(std::u16string_view path) {
  if (path_util::HasExtension(path, u".bin2")) return DayLogKind::Current;
  if (path_util::HasExtension(path, u".bin")) return DayLogKind::Legacy;
  return DayLogKind::Other;
}

bool WriteDayLogFile(Env& env, const std::u16string& path, const StringPool& pool, const DayLog& day,
                     SaveFailure* why) {
  SaveFailure failure = SaveFailure::None;
  std::vector<uint8_t> strings;
  if (day.Count() != 0) BuildStringTable(pool, &strings);
  FileWriter writer(env);
  if (day.Count() == 0) {
    failure = SaveFailure::NothingToSave;
  } else if (!writer.Open(path)) {
    failure = SaveFailure::CannotCreate;
  } else if (!writer.Write(kDayLogMagic, 4) ||
             !WriteSection(strings.data(), static_cast<uint32_t>(strings.size()), writer) ||
             !WriteSection(day.Bytes(), day.ByteLength(), writer) || !writer.Commit()) {
    const FileWriter::Step step = writer.FailedStep();
    failure = step == FileWriter::Step::None      ? SaveFailure::CannotCompress
              : step == FileWriter::Step::Replace ? SaveFailure::CannotReplace
                                                  : SaveFailure::CannotWrite;
  }
  if (why) *why = failure;
  return failure == SaveFailure::None;
}

std::u16string DayLogPath(Env& env, uint16_t year, uint16_t month, uint16_t day) {
  return PathOfDay(env, LogFolder(env), year, month, day, u"bin2");
}

bool SaveDayLog(StoredState& app, uint16_t year, uint16_t month, uint16_t day, SaveFailure* why) {
  app.env.CreateFolder(LogFolder(app.env));  // an existing folder is fine
  return WriteDayLogFile(app.env, DayLogPath(app.env, year, month, day), app.pool, app.sampler.day, why);
}

bool LoadDayLogFile(StoredState& app, DayLog& target, const std::u16string& path, uint16_t user) {
  app.viewedDay.Clear();
  return ReadDayLogFile(app.env, app.pool, target, path, user);
}

bool ReadDayLogFile(Env& env, StringPool& pool, DayLog& target, const std::u16string& path, uint16_t user) {
  FileReader reader(env);
  if (!reader.Open(path)) return false;
  uint8_t magic[4];
  if (!reader.ReadExact(magic, 4) || std::memcmp(magic, kDayLogMagic, 4) != 0) return false;

  Section strings;
  if (!ReadSection(reader, kStringRules, &strings) || !AcquireStrings(pool, strings, user)) return false;
  Section records;
  if (!ReadSection(reader, kRecordRules, &records)) return false;
  TakeRecords(records, target);
  return true;
}

bool LoadDayLogByDate(StoredState& app, uint16_t year, uint16_t month, uint16_t day) {
  const std::u16string path = PathOfDay(app.env, OpenDialogFolder(app.settings), year, month, day, u"bin2");
  return LoadDayLogFile(app, app.viewedDay, path, UserViewedDay);
}

bool SetAsideUnreadable(Env& env, const std::u16string& path, std::u16string* aside) {
  for (int n = 1; n < 1000; ++n) {
    const std::string suffix = ".unreadable-" + std::to_string(n);
    const std::u16string name = path + std::u16string(suffix.begin(), suffix.end());
    if (env.FileExists(name)) continue;
    if (!env.RenameFile(path, name)) return false;
    if (aside) *aside = name;
    return true;
  }
  return false;
}

bool LoadTodayDayLog(StoredState& app, uint16_t year, uint16_t month, uint16_t day,
                     std::vector<std::u16string>* setAside) {
  const auto putAside = [&](const std::u16string& path) {
    std::u16string aside;
    if (app.env.FileExists(path) && SetAsideUnreadable(app.env, path, &aside) && setAside) setAside->push_back(aside);
  };
  const std::u16string folder = LogFolder(app.env);
  const std::u16string current = PathOfDay(app.env, folder, year, month, day, u"bin2");
  if (LoadDayLogFile(app, app.sampler.day, current, UserCurrentDay)) return true;
  putAside(current);

  const std::u16string legacy = PathOfDay(app.env, folder, year, month, day, u"bin");
  if (LoadLegacyDayLogFile(app, app.sampler.day, legacy, UserCurrentDay)) return true;
  putAside(legacy);
  return false;
}

}  // namespace qm
