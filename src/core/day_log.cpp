#include "core/day_log.h"

#include <cstring>

namespace qm {

void DayLog::Clear() {
  bytes_.clear();
  offsets_.clear();
}

void DayLog::Release() {
  std::vector<uint8_t>().swap(bytes_);
  std::vector<uint32_t>().swap(offsets_);
}

void DayLog::ReserveCapacity(size_t bytes, size_t count) {
  bytes_.reserve(bytes);
  offsets_.reserve(count);
}

uint32_t DayLog::Reserve(uint32_t size) {
  const uint32_t index = Count();
  offsets_.push_back(ByteLength());
  bytes_.resize(bytes_.size() + size, 0);
  return index;
}

uint8_t* DayLog::At(uint32_t index) {
  if (index >= Count() || offsets_[index] >= ByteLength()) return nullptr;
  return bytes_.data() + offsets_[index];
}

const uint8_t* DayLog::At(uint32_t index) const { return const_cast<DayLog*>(this)->At(index); }

bool DayLog::Append(const ActivityRecord& header, std::u16string_view title) {
  if (!IsValidTimeRange(header.start, header.duration)) return false;
  title = title.substr(0, title.find(u'\0'));  // the title ends at its first 0 code unit
  if (title.size() > kMaxRecordBytes) return false;  // keeps the size arithmetic in range
  const uint32_t size = RecordSizeFor(static_cast<uint32_t>(title.size()));
  if (size > kMaxRecordBytes) return false;
  uint8_t* record = At(Reserve(size));
  if (!record) return false;
  const ActivityRecord stored{size, header.start, header.duration, header.exeKey};
  std::memcpy(record, &stored, sizeof stored);
  std::memcpy(record + kRecordHeaderBytes, title.data(), title.size() * 2);  // terminator: zero fill
  return true;
}

}  // namespace qm
