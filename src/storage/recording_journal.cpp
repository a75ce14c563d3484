#include "storage/recording_journal.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "core/zeroed_buffer.h"
#include "platform/path_util.h"
#include "storage/log_folder.h"

namespace qm {
namespace {

constexpr uint32_t kRecordPayloadHeader = 16;  // index, start, duration, exeKey
constexpr uint32_t kMaxRecordTitleUnits = 129;  // the longest title a 280-byte record holds
constexpr uint32_t kMaxPayloadBytes = 2 * kMaxJournalPathUnits;
constexpr char16_t kJournalExtension[] = u".journal";

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
  out.insert(out.end(), bytes, bytes + 4);
}

void PutText(std::vector<uint8_t>& out, std::u16string_view text) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  out.insert(out.end(), bytes, bytes + 2 * text.size());
}

uint32_t GetU32(const uint8_t* bytes) {
  uint32_t value;
  std::memcpy(&value, bytes, 4);
  return value;
}

std::u16string GetText(const uint8_t* bytes, size_t units) {
  std::u16string text(units, u'\0');
  std::memcpy(text.data(), bytes, 2 * units);
  return text;
}

uint32_t Checksum(const uint8_t* bytes, size_t size) {
  return static_cast<uint32_t>(crc32(0, bytes, static_cast<uInt>(size)));
}

// Frames the payload written by `fill` as one entry.
template <typename Fill>
void AppendEntry(std::vector<uint8_t>& out, JournalEntryKind kind, Fill fill) {
  const size_t begin = out.size();
  out.resize(begin + kJournalEntryHeaderBytes);
  fill();
  const auto length = static_cast<uint16_t>(out.size() - begin - kJournalEntryHeaderBytes);
  std::memcpy(&out[begin + 4], &length, 2);
  out[begin + 6] = static_cast<uint8_t>(kind);
  out[begin + 7] = 0;
  const uint32_t crc = Checksum(&out[begin + 4], out.size() - begin - 4);
  std::memcpy(&out[begin], &crc, 4);
}

// One entry's payload into `contents`; false when it does not hold.
bool TakeEntry(JournalEntryKind kind, const uint8_t* payload, uint32_t length, JournalContents& contents) {
  switch (kind) {
    case JournalEntryKind::Path: {
      if (length % 2 != 0) return false;
      std::u16string path = GetText(payload, length / 2);
      const int32_t key = StringKey(path);
      contents.paths[key] = std::move(path);
      return true;
    }
    case JournalEntryKind::Record: {
      if (length < kRecordPayloadHeader || length % 2 != 0) return false;
      const uint32_t units = (length - kRecordPayloadHeader) / 2;
      JournaledRecord record{GetU32(payload + 4), GetU32(payload + 8), GetU32(payload + 12),
                             GetText(payload + kRecordPayloadHeader, units)};
      if (units > kMaxRecordTitleUnits || !IsValidTimeRange(record.start, record.duration)) return false;
      contents.records[GetU32(payload)] = std::move(record);
      return true;
    }
    case JournalEntryKind::Extend: {
      if (length != 8) return false;
      const uint32_t duration = GetU32(payload + 4);
      if (duration > kMillisecondsPerDay) return false;
      // An index without its record is out of this file's reach and changes nothing.
      const auto it = contents.records.find(GetU32(payload));
      if (it != contents.records.end() && IsValidTimeRange(it->second.start, duration)) it->second.duration = duration;
      return true;
    }
  }
  return false;
}

}  // namespace

void AppendPathEntry(std::vector<uint8_t>& out, std::u16string_view path) {
  AppendEntry(out, JournalEntryKind::Path, [&] { PutText(out, path.substr(0, kMaxJournalPathUnits)); });
}

void AppendRecordEntry(std::vector<uint8_t>& out, uint32_t index, const ActivityRecord& header,
                       std::u16string_view title) {
  AppendEntry(out, JournalEntryKind::Record, [&] {
    PutU32(out, index);
    PutU32(out, header.start);
    PutU32(out, header.duration);
    PutU32(out, header.exeKey);
    PutText(out, title.substr(0, kMaxRecordTitleUnits));
  });
}

void AppendExtendEntry(std::vector<uint8_t>& out, uint32_t index, uint32_t duration) {
  AppendEntry(out, JournalEntryKind::Extend, [&] {
    PutU32(out, index);
    PutU32(out, duration);
  });
}

bool FitsDayLog(std::u16string_view title) {
  title = title.substr(0, title.find(u'\0'));
  return title.size() <= kMaxRecordTitleUnits;
}

JournalContents ParseJournal(const uint8_t* bytes, size_t size) {
  JournalContents contents;
  if (size == 0) return contents;
  if (size < sizeof kJournalMagic) {
    const bool torn = std::memcmp(bytes, kJournalMagic, size) == 0;
    contents.tail = torn ? JournalTail::Torn : JournalTail::Damaged;
    return contents;
  }
  if (std::memcmp(bytes, kJournalMagic, sizeof kJournalMagic) != 0) {
    contents.tail = JournalTail::Damaged;
    return contents;
  }
  for (size_t at = sizeof kJournalMagic; at < size;) {
    const size_t left = size - at;
    if (left < kJournalEntryHeaderBytes) {
      contents.tail = JournalTail::Torn;
      break;
    }
    uint16_t length;
    std::memcpy(&length, bytes + at + 4, 2);
    if (length > kMaxPayloadBytes) {
      contents.tail = JournalTail::Damaged;
      break;
    }
    if (length > left - kJournalEntryHeaderBytes) {
      contents.tail = JournalTail::Torn;
      break;
    }
    const auto kind = static_cast<JournalEntryKind>(bytes[at + 6]);
    const uint8_t* payload = bytes + at + kJournalEntryHeaderBytes;
    if (GetU32(bytes + at) != Checksum(bytes + at + 4, 4u + length) || !TakeEntry(kind, payload, length, contents)) {
      contents.tail = JournalTail::Damaged;
      break;
    }
    at += kJournalEntryHeaderBytes + length;
  }
  return contents;
}

bool ReadJournalFile(Env& env, const std::u16string& path, JournalContents* contents) {
  FileReader reader(env);
  if (!reader.Open(path)) return false;
  const uint64_t size = reader.Remaining();
  const auto wanted = static_cast<uint32_t>(std::min<uint64_t>(size, kMaxJournalBytes));
  ZeroedBuffer bytes;
  if (!bytes.Allocate(wanted)) return false;
  const uint32_t got = reader.Read(bytes.data(), wanted);
  *contents = ParseJournal(bytes.data(), got);
  // What could not be read is kept like damage, never dropped as a torn write.
  if (got < size) contents->tail = JournalTail::Damaged;
  return true;
}

uint32_t ApplyJournal(const JournalContents& contents, StringPool& pool, DayLog& day) {
  uint32_t appended = 0;
  for (auto it = contents.records.lower_bound(day.Count()); it != contents.records.end(); ++it) {
    const JournaledRecord& record = it->second;
    const auto path = contents.paths.find(static_cast<int32_t>(record.exeKey));
    if (path != contents.paths.end()) pool.Intern(path->second, UserCurrentDay);
    if (day.Append({0, record.start, record.duration, record.exeKey}, record.title)) ++appended;
  }
  return appended;
}

bool JournalAppender::Append(const std::u16string& path, const std::vector<uint8_t>& entries) {
  if (IsOpen() && path != path_) CloseHandle();
  std::vector<uint8_t> bytes;
  if (!IsOpen()) {
    env_.CreateFolder(env_.RemoveFileSpec(path));  // an existing folder is fine
    handle_ = env_.OpenForAppend(path);
    path_ = path;
    uint64_t end = 0;
    if (!IsOpen() || !env_.Seek(handle_, 0, SeekOrigin::End, &end)) {
      CloseHandle();
      return false;
    }
    if (end == 0) bytes.assign(kJournalMagic, kJournalMagic + sizeof kJournalMagic);
  }
  bytes.insert(bytes.end(), entries.begin(), entries.end());
  if (!env_.Write(handle_, bytes.data(), static_cast<uint32_t>(bytes.size())) || !env_.Flush(handle_)) {
    CloseHandle();
    return false;
  }
  return true;
}

bool ReplaceJournalFile(Env& env, const std::u16string& path, const std::vector<uint8_t>& entries) {
  env.CreateFolder(env.RemoveFileSpec(path));
  FileWriter writer(env);
  return writer.Open(path) && writer.Write(kJournalMagic, sizeof kJournalMagic) &&
         writer.Write(entries.data(), static_cast<uint32_t>(entries.size())) && writer.Commit();
}

std::u16string JournalFileName(uint16_t year, uint16_t month, uint16_t day) {
  return DayLogFileName(year, month, day, kJournalExtension + 1);
}

std::optional<LocalTime> DateOfJournalName(std::u16string_view name) {
  constexpr size_t kDigits = 8;
  if (name.size() != kDigits + std::char_traits<char16_t>::length(kJournalExtension)) return std::nullopt;
  for (size_t i = 0; i < kDigits; ++i) {
    if (name[i] < u'0' || name[i] > u'9') return std::nullopt;
  }
  if (!path_util::EqualsIgnoringCase(name.substr(kDigits), kJournalExtension)) return std::nullopt;
  return DateOfDayLogName(name);
}

}  // namespace qm
