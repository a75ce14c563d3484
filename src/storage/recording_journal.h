// The recording journal, log/YYYYMMDD.journal: what was recorded on a day since its day log was last
// saved, appended every few seconds and never rewritten in place, so that a crash, a killed process
// or a power cut loses only the last moments. A save of the day makes it redundant.
//
// Layout (little-endian): the 8 bytes ".JNL" 01 00 00 00, then entries back to back, each
//   crc32 (4) | payload length (2) | kind (1) | 0 (1) | payload
// with the crc32 taken over everything after itself. Payloads:
//   Path    the UTF-16 executable path (its key is recomputed from the text, as in day logs)
//   Record  record index of the day (4), start (4), duration (4), exeKey (4), UTF-16 title
//   Extend  record index (4), duration (4): the same record, lasting longer
// A record index is the record's position in the day, so an entry the day log already holds is
// recognised by its index alone and is never counted twice. The last entry for an index wins.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/day_log.h"
#include "core/string_pool.h"
#include "platform/env.h"
#include "storage/file_objects.h"

namespace qm {

inline constexpr uint8_t kJournalMagic[8] = {'.', 'J', 'N', 'L', 1, 0, 0, 0};
inline constexpr uint32_t kJournalEntryHeaderBytes = 8;
inline constexpr uint32_t kMaxJournalPathUnits = 519;
// No journal is read beyond this; a day's journal is well under a megabyte.
inline constexpr uint32_t kMaxJournalBytes = 64u << 20;

enum class JournalEntryKind : uint8_t { Path = 1, Record = 2, Extend = 3 };

// Encoding: each appends one complete entry to `out`.
void AppendPathEntry(std::vector<uint8_t>& out, std::u16string_view path);
void AppendRecordEntry(std::vector<uint8_t>& out, uint32_t index, const ActivityRecord& header,
                       std::u16string_view title);
void AppendExtendEntry(std::vector<uint8_t>& out, uint32_t index, uint32_t duration);

// A title that a day log can hold (the sampler's records must fit it too).
bool FitsDayLog(std::u16string_view title);

struct JournaledRecord {
  uint32_t start = 0;
  uint32_t duration = 0;
  uint32_t exeKey = 0;
  std::u16string title;
};

// What follows the last good entry: nothing; a write cut short (the file ends inside an entry);
// or damage (a wrong header, a checksum or content that does not hold), which is worth keeping.
enum class JournalTail { Clean, Torn, Damaged };

struct JournalContents {
  std::map<uint32_t, JournaledRecord> records;  // by record index, the last version of each
  std::map<int32_t, std::u16string> paths;      // by StringKey
  JournalTail tail = JournalTail::Clean;
};

// Takes every entry up to the first one that does not hold; never reads outside `bytes`.
JournalContents ParseJournal(const uint8_t* bytes, size_t size);
// Reads and parses a journal file; false when it cannot be opened.
bool ReadJournalFile(Env& env, const std::u16string& path, JournalContents* contents);

// Appends the records whose index is at or beyond the day's record count, in index order, with their
// paths acquired for the current day. Returns how many were appended.
uint32_t ApplyJournal(const JournalContents& contents, StringPool& pool, DayLog& day);

// The journal being added to. Entries reach the disk with one write and one flush; after a failure
// the file is closed, and its tail may be torn, so the caller replaces it whole before adding more.
class JournalAppender : public FileBase {
 public:
  using FileBase::FileBase;
  // Adds `entries` to the file at `path` (a new or empty file gets the magic first) and flushes.
  bool Append(const std::u16string& path, const std::vector<uint8_t>& entries);
  void Close() { CloseHandle(); }

 private:
  std::u16string path_;
};

// Replaces the journal at `path` by the magic and `entries` in one step (temporary file, flush,
// atomic replace), leaving the previous file as it was on failure.
bool ReplaceJournalFile(Env& env, const std::u16string& path, const std::vector<uint8_t>& entries);

// "20160307.journal": a name no day log reader, file filter or date step takes for a day log.
std::u16string JournalFileName(uint16_t year, uint16_t month, uint16_t day);
// The date of a journal's file name (exactly eight digits and ".journal", any case); nothing else.
std::optional<LocalTime> DateOfJournalName(std::u16string_view name);

}  // namespace qm
