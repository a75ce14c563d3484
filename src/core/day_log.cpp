#include "core/day_log.h"

#include <cstring>

namespace qm {

void DayLog::Clear() {
  length_ = 0;
  offsets_.clear();
}

void DayLog::Release() {
  bytes_ = ZeroedBuffer();
  length_ = 0;
  std::vector<uint32_t>().swap(offsets_);
}

bool DayLog::Grow(uint32_t more) {
  const size_t needed = static_cast<size_t>(length_) + more;
  if (needed > UINT32_MAX) return false;
  if (needed <= bytes_.size()) return true;
  const size_t capacity = std::max<size_t>(needed, bytes_.size() * 2 < 4096 ? 4096 : bytes_.size() * 2);
  return bytes_.Resize(capacity) || bytes_.Resize(needed);
}

uint32_t DayLog::Reserve(uint32_t size) {
  const uint32_t index = Count();
  offsets_.push_back(length_);
  if (Grow(size)) {
    std::memset(bytes_.data() + length_, 0, size);
    length_ += size;
  }
  return index;
}

uint8_t* DayLog::At(uint32_t index) {
  if (index >= Count() || offsets_[index] >= length_) return nullptr;
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

void DayLog::Adopt(ZeroedBuffer&& block, uint32_t length, std::vector<uint32_t>&& offsets) {
  bytes_ = std::move(block);
  length_ = length;
  offsets_ = std::move(offsets);
}

}  // namespace qm
