#include "core/string_pool.h"

#include <cstring>
#include <new>

namespace qm {

int32_t StringKey(std::u16string_view text) {
  uint32_t h = 0;
  for (const char16_t c : text) h = h * 31u + c;
  return static_cast<int32_t>(h);
}

bool StringPool::Acquire(PoolEntry& entry, std::u16string_view text, uint16_t user) {
  if (entry.text) {
    const bool newUser = (entry.users & user) == 0;
    entry.users |= user;
    return newUser;
  }
  entry.users |= user;
  text = text.substr(0, text.find(u'\0'));
  // byteSize is 16 bits wide; a longer text cannot be described and is treated like a failed copy.
  if (text.size() > 32766) return false;
  std::unique_ptr<char16_t[]> copy(new (std::nothrow) char16_t[text.size() + 1]);
  if (!copy) return false;
  std::memcpy(copy.get(), text.data(), text.size() * 2);
  copy[text.size()] = 0;
  entry.text = std::move(copy);
  entry.byteSize = static_cast<uint16_t>(2 * (text.size() + 1));
  return true;
}

int32_t StringPool::Intern(std::u16string_view text, uint16_t user) {
  const int32_t key = StringKey(text.substr(0, text.find(u'\0')));
  PoolEntry& entry = Slot(key);
  if (Acquire(entry, text, user) && (user & UserCurrentDay)) currentDayStringBytes += entry.byteSize;
  return key;
}

void StringPool::Release(uint16_t user) {
  for (auto it = entries_.begin(); it != entries_.end();) {
    if (it->second.users & user) {
      it->second.users &= static_cast<uint16_t>(~user);
      if (it->second.users == 0) {
        it = entries_.erase(it);
        continue;
      }
    }
    ++it;
  }
}

void StringPool::ReleaseKey(int32_t key, uint16_t user) {
  const auto it = entries_.find(key);
  if (it == entries_.end() || !(it->second.users & user)) return;
  it->second.users &= static_cast<uint16_t>(~user);
  if (it->second.users == 0) entries_.erase(it);
}

void StringPool::ClearAll() {
  entries_.clear();
  currentDayStringBytes = 0;
}

const PoolEntry* StringPool::Find(int32_t key) const {
  const auto it = entries_.find(key);
  return it == entries_.end() || !it->second.text ? nullptr : &it->second;
}

}  // namespace qm
