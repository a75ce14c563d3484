// The records of one day: one contiguous block of record bytes, exactly as a day log file stores it,
// and a table of record offsets for constant-time access by index.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/activity_record.h"
#include "core/zeroed_buffer.h"

namespace qm {

class DayLog {
 public:
  // Removes every record; the buffers keep their capacity.
  void Clear();
  // Removes every record and gives the buffers back.
  void Release();

  // Appends `size` zero bytes as a new record and returns its index; the caller fills it through At.
  // If the block cannot grow, the index still counts but At gives nothing for it.
  uint32_t Reserve(uint32_t size);
  // The record at `index`, or nullptr when there is none.
  uint8_t* At(uint32_t index);
  const uint8_t* At(uint32_t index) const;

  uint32_t Count() const { return static_cast<uint32_t>(offsets_.size()); }
  const uint8_t* Bytes() const { return bytes_.data(); }
  uint32_t ByteLength() const { return length_; }

  // Validated append: refuses a start or duration out of range and titles of 130 code units or more.
  bool Append(const ActivityRecord& header, std::u16string_view title);
  // Replaces the contents with a record block loaded as a whole: the first `length` bytes of `block`
  // hold the records that begin at `offsets`.
  void Adopt(ZeroedBuffer&& block, uint32_t length, std::vector<uint32_t>&& offsets);

  // Convenience for readers of the list: the header and title of record `index` (which must exist).
  ActivityRecord Header(uint32_t index) const { return ReadRecordHeader(At(index)); }
  std::u16string_view Title(uint32_t index) const { return RecordTitle(At(index)); }

 private:
  bool Grow(uint32_t more);

  ZeroedBuffer bytes_;  // capacity is bytes_.size(); the records fill the first length_ bytes
  uint32_t length_ = 0;
  std::vector<uint32_t> offsets_;
};

}  // namespace qm
