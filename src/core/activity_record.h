// One entry of a day: a 16-byte header followed by the UTF-16 title and zero padding. The bytes are
// both the in-memory form and the form stored in day log files.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace qm {

static_assert(sizeof(char16_t) == 2);

inline constexpr uint32_t kMillisecondsPerDay = 86'400'000;
inline constexpr uint32_t kRecordHeaderBytes = 16;
inline constexpr uint32_t kMaxRecordBytes = 280;
inline constexpr uint32_t kMinRecordBytes = 8;  // the smallest size word a reader lets through

struct ActivityRecord {
  uint32_t size;      // whole record, header and padding included; a multiple of 8
  uint32_t start;     // ms since local midnight
  uint32_t duration;  // ms
  uint32_t exeKey;    // StringKey of the executable's path
};
static_assert(sizeof(ActivityRecord) == kRecordHeaderBytes);

// Record bytes for a title of `titleLength` code units: room for the header, the title, its
// terminator and 4 to 11 bytes of zero padding, rounded down to a multiple of 8.
constexpr uint32_t RecordSizeFor(uint32_t titleLength) { return (2 * titleLength + 29) & ~7u; }

inline bool IsValidTimeRange(uint32_t start, uint32_t duration) {
  return start < kMillisecondsPerDay && duration <= kMillisecondsPerDay;
}

// The header fields of the record at `bytes` (which must hold at least 16 bytes).
inline ActivityRecord ReadRecordHeader(const uint8_t* bytes) {
  ActivityRecord header;
  std::memcpy(&header, bytes, sizeof header);
  return header;
}

// The title of a stored record, up to its first 0 code unit and never beyond the record's own bytes,
// so that records loaded from a file without a terminator are read safely.
inline std::u16string_view RecordTitle(const uint8_t* record) {
  const ActivityRecord header = ReadRecordHeader(record);
  const uint32_t size = header.size < kRecordHeaderBytes ? kRecordHeaderBytes : header.size;
  const auto* title = reinterpret_cast<const char16_t*>(record + kRecordHeaderBytes);
  const size_t capacity = (size - kRecordHeaderBytes) / 2;
  size_t length = 0;
  while (length < capacity && title[length] != 0) ++length;
  return std::u16string_view(title, length);
}

}  // namespace qm
