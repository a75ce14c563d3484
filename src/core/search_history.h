// The search window's most-recent-first list of search strings, saved with the settings.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace qm {

inline constexpr size_t kSearchHistoryCapacity = 64;

class SearchHistory {
 public:
  struct Entry {
    int32_t key;        // StringKey of the text, a quick pre-filter; one entry per text
    uint32_t byteSize;  // 2 * (length + 1): the text with its terminator
    std::unique_ptr<char16_t[]> text;

    std::u16string_view Text() const { return std::u16string_view(text.get(), byteSize / 2 - 1); }
  };

  explicit SearchHistory(size_t capacity = kSearchHistoryCapacity);

  // Puts `text` (up to its first 0) at the front. A text already held moves its entry to the front;
  // beyond the capacity the oldest entry goes. False for an empty text or when the copy cannot be made.
  bool AddSearchText(std::u16string_view text);
  void ClearSearchHistory();

  // Most recent first.
  const std::vector<Entry>& Entries() const { return entries_; }
  size_t Count() const { return entries_.size(); }
  size_t Capacity() const { return capacity_; }
  // The sum of the entries' byte sizes.
  uint64_t ByteTotal() const { return byteTotal_; }

 private:
  std::vector<Entry> entries_;
  size_t capacity_;
  uint64_t byteTotal_ = 0;
};

}  // namespace qm
