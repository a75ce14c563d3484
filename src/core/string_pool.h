// Executable paths stored once each, keyed by a 32-bit hash of their code units. Each entry carries
// the set of users that refer to it and disappears when the last of them lets go.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

namespace qm {

enum PoolUser : uint16_t {
  UserColorRules = 1,
  UserCurrentDay = 2,
  UserViewedDay = 4,
  UserPeriod = 8,  // the programs of a period that the usage window totals
};

// h = h * 31 + c over the UTF-16 code units, in wrapping 32-bit arithmetic; "" has key 0.
int32_t StringKey(std::u16string_view text);

struct PoolEntry {
  uint16_t users = 0;
  uint16_t byteSize = 0;  // 2 * (length + 1): the text with its terminator
  std::unique_ptr<char16_t[]> text;

  std::u16string_view Text() const {
    return text ? std::u16string_view(text.get(), byteSize / 2 - 1) : std::u16string_view();
  }
};

class StringPool {
 public:
  using Map = std::map<int32_t, PoolEntry>;

  // The entry for `key`, created empty if absent.
  PoolEntry& Slot(int32_t key) { return entries_[key]; }
  // Sets `user` on the entry, storing a copy of `text` if the entry has none yet. True when the entry
  // newly gained this user. An entry whose text cannot be stored keeps the user bit but no text.
  static bool Acquire(PoolEntry& entry, std::u16string_view text, uint16_t user);
  // Slot + Acquire for the text's own key, counting newly acquired current-day bytes. Returns the key.
  int32_t Intern(std::u16string_view text, uint16_t user);

  // Clears `user` on every entry; entries left without users are removed.
  void Release(uint16_t user);
  // The same for the entry of `key` alone.
  void ReleaseKey(int32_t key, uint16_t user);
  // Removes everything and resets the current-day byte count.
  void ClearAll();

  // The text stored under `key`, or nullptr.
  const PoolEntry* Find(int32_t key) const;
  const Map& Entries() const { return entries_; }
  size_t Size() const { return entries_.size(); }

  // Running total of byteSize over every acquisition that newly set UserCurrentDay; an upper bound of
  // the bytes the current day's strings need when the day is saved.
  int32_t currentDayStringBytes = 0;

 private:
  Map entries_;
};

}  // namespace qm
