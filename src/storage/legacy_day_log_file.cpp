#include "storage/legacy_day_log_file.h"

#include <cstring>

#include "storage/compressed_section.h"
#include "storage/day_log_file.h"
#include "storage/log_folder.h"

namespace qm {
namespace {

constexpr uint32_t kLegacySlack = 8;
constexpr SectionRules kStringRules{true, kLegacySlack, kLegacySlack, 0, false, kMaxSectionRawBytes};
constexpr SectionRules kRecordRules{true, 0, 0, 0, true, kMaxSectionRawBytes};

struct LegacyRecord {
  uint16_t hour;
  uint16_t minute;
  uint16_t second;
  uint16_t millisecond;
  uint32_t startTick;
  uint32_t endTick;
  char16_t title[kLegacyTitleUnits];
  uint32_t exeKey;
};
static_assert(sizeof(LegacyRecord) == kLegacyRecordBytes);

// Entries of a 32-bit size and a text; an entry that would end beyond the data ends the walk.
void AcquireLegacyStrings(StringPool& pool, const Section& section, uint16_t user) {
  const uint8_t* raw = section.data.data();
  const uint64_t rawLength = section.rawLength;
  for (uint64_t offset = 0; offset < rawLength;) {
    uint32_t n;
    std::memcpy(&n, raw + offset, 4);  // within the output slack even at the very end
    const uint64_t textStart = offset + 4;
    if (textStart + n > rawLength) break;
    std::u16string text(n / 2, u'\0');
    std::memcpy(text.data(), raw + textStart, text.size() * 2);
    pool.Intern(text, user);
    offset = textStart + n;
  }
}

void ConvertRecords(const Section& section, DayLog& target) {
  target.Clear();
  const uint32_t count = section.rawLength / kLegacyRecordBytes;
  for (uint32_t i = 0; i < count; ++i) {
    LegacyRecord old;
    std::memcpy(&old, section.data.data() + static_cast<size_t>(i) * kLegacyRecordBytes, sizeof old);
    ActivityRecord header;
    header.start = ((old.hour * 60u + old.minute) * 60u + old.second) * 1000u + old.millisecond;
    header.duration = old.endTick - old.startTick;  // right across a wrap of the tick counter
    header.exeKey = old.exeKey;
    std::u16string_view title(old.title, kLegacyTitleUnits);
    target.Append(header, title.substr(0, title.find(u'\0')));  // refused records are dropped
  }
}

}  // namespace

bool LoadLegacyDayLogFile(StoredState& app, DayLog& target, const std::u16string& path, uint16_t user) {
  if (DayLogKindOf(path) != DayLogKind::Legacy) return false;
  app.viewedDay.Clear();
  return ReadLegacyDayLogFile(app.env, app.pool, target, path, user);
}

bool ReadLegacyDayLogFile(Env& env, StringPool& pool, DayLog& target, const std::u16string& path, uint16_t user) {
  if (DayLogKindOf(path) != DayLogKind::Legacy) return false;
  FileReader reader(env);
  if (!reader.Open(path)) return false;
  uint8_t magic[4];
  if (!reader.ReadExact(magic, 4) || std::memcmp(magic, kDayLogMagic, 4) != 0) return false;

  Section strings;
  if (!ReadSection(reader, kStringRules, &strings)) return false;
  AcquireLegacyStrings(pool, strings, user);
  Section records;
  if (!ReadSection(reader, kRecordRules, &records)) return false;
  ConvertRecords(records, target);
  return true;
}

bool LoadLegacyDayLogByDate(StoredState& app, uint16_t year, uint16_t month, uint16_t day) {
  const std::u16string path =
      app.env.CombinePath(OpenDialogFolder(app.settings), DayLogFileName(year, month, day, u"bin"));
  return LoadLegacyDayLogFile(app, app.viewedDay, path, UserViewedDay);
}

}  // namespace qm
