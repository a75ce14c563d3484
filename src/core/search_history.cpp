#include "core/search_history.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/string_pool.h"

namespace qm {

SearchHistory::SearchHistory(size_t capacity) : capacity_(capacity) {
  entries_.reserve(capacity + 1);  // adding never reallocates
}

bool SearchHistory::AddSearchText(std::u16string_view text) {
  text = text.substr(0, text.find(u'\0'));
  if (text.empty()) return false;
  const int32_t key = StringKey(text);
  // The key only narrows the search: two texts may share one, and each keeps an entry of its own.
  const auto held = std::find_if(entries_.begin(), entries_.end(),
                                 [key, text](const Entry& e) { return e.key == key && e.Text() == text; });
  if (held != entries_.end()) {
    std::rotate(entries_.begin(), held, held + 1);
    return true;
  }

  std::unique_ptr<char16_t[]> copy(new (std::nothrow) char16_t[text.size() + 1]);
  if (!copy) return false;
  std::memcpy(copy.get(), text.data(), text.size() * 2);
  copy[text.size()] = 0;
  const auto byteSize = static_cast<uint32_t>(2 * (text.size() + 1));
  entries_.insert(entries_.begin(), Entry{key, byteSize, std::move(copy)});
  byteTotal_ += byteSize;
  if (entries_.size() > capacity_) {
    byteTotal_ -= entries_.back().byteSize;
    entries_.pop_back();
  }
  return true;
}

void SearchHistory::ClearSearchHistory() {
  entries_.clear();
  byteTotal_ = 0;
}

}  // namespace qm
