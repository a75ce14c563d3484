#include "storage/history_block.h"

#include <algorithm>
#include <vector>

#include "core/zeroed_buffer.h"

namespace qm {
namespace {

struct HistoryHeader {
  uint32_t tag;
  uint32_t count;
  uint32_t byteLength;
};
static_assert(sizeof(HistoryHeader) == 12);

}  // namespace

bool WriteHistoryBlock(FileWriter& file, const SearchHistory& history) {
  if (history.Count() == 0 || history.ByteTotal() > kMaxHistoryBytes) return false;
  std::vector<uint8_t> strings;
  strings.reserve(history.ByteTotal());
  for (const SearchHistory::Entry& entry : history.Entries()) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(entry.text.get());
    strings.insert(strings.end(), bytes, bytes + entry.byteSize);
  }
  if (strings.size() != history.ByteTotal()) return false;
  const HistoryHeader header{kHistoryTag, static_cast<uint32_t>(history.Count()),
                             static_cast<uint32_t>(strings.size())};
  return file.Write(&header, sizeof header) && file.Write(strings.data(), header.byteLength);
}

bool ReadHistoryBlock(FileReader& file, SearchHistory& history) {
  HistoryHeader header;
  if (!file.ReadExact(&header, sizeof header) || header.tag != kHistoryTag) return false;
  if (header.byteLength > kMaxHistoryBytes || header.byteLength > file.Remaining()) return false;
  ZeroedBuffer bytes;
  if (!bytes.Allocate(header.byteLength) || !file.ReadExact(bytes.data(), header.byteLength)) return false;

  // Strings end at their terminator or at the end of the block, whichever comes first.
  const std::u16string_view all(reinterpret_cast<const char16_t*>(bytes.data()), header.byteLength / 2);
  const size_t count = std::min<size_t>(header.count, history.Capacity());
  std::vector<std::u16string_view> texts;
  for (size_t cursor = 0; texts.size() < count && cursor < all.size();) {
    const std::u16string_view rest = all.substr(cursor);
    const std::u16string_view text = rest.substr(0, rest.find(u'\0'));
    if (text.empty()) break;
    texts.push_back(text);
    cursor += text.size() + 1;
  }
  // Each add goes to the front: the oldest first, so that the most recent ends up in front again.
  for (auto it = texts.rbegin(); it != texts.rend(); ++it) history.AddSearchText(*it);
  return true;
}

}  // namespace qm
