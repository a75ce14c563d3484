#include "storage/color_block.h"

#include <cstring>
#include <string>
#include <vector>

#include "storage/compressed_section.h"

namespace qm {
namespace {

struct ColorBlockHeader {
  uint32_t version;
  int32_t mode;
  uint32_t appCount;
  uint32_t genericCount;
  uint32_t hourCount;
};
static_assert(sizeof(ColorBlockHeader) == 20);

// Each per-application record: byteSize of the path (terminator included), the colour, the path.
constexpr uint32_t kAppRecordHeaderBytes = 8;
constexpr SectionRules kAppSectionRules{true, 0, kSectionSlack, kSectionSlack, true, kMaxSectionRawBytes};

void AppendBytes(std::vector<uint8_t>* out, const void* data, size_t length) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + length);
}

// The records in ascending key order; returns how many there are.
uint32_t BuildAppRecords(const ColorRules& rules, const StringPool& pool, std::vector<uint8_t>* raw) {
  uint32_t count = 0;
  for (const auto& [key, color] : rules.appColors) {
    const PoolEntry* entry = pool.Find(key);
    if (!entry) continue;
    const uint32_t head[2] = {entry->byteSize, color};
    AppendBytes(raw, head, sizeof head);
    AppendBytes(raw, entry->text.get(), entry->byteSize);
    ++count;
  }
  return count;
}

bool WritePalette(FileWriter& file, const std::vector<ColorRef>& palette) {
  return palette.empty() || file.Write(palette.data(), static_cast<uint32_t>(palette.size() * sizeof(ColorRef)));
}

// Walks the records inside the expanded data only: a record whose path would run past it ends the walk.
void TakeAppRecords(const Section& section, uint32_t count, ColorRules& rules, StringPool& pool) {
  const uint8_t* raw = section.data.data();
  const uint64_t end = section.rawLength;
  uint64_t offset = 0;
  for (uint32_t i = 0; i < count && offset + kAppRecordHeaderBytes <= end; ++i) {
    uint32_t head[2];
    std::memcpy(head, raw + offset, sizeof head);
    const uint64_t pathEnd = offset + kAppRecordHeaderBytes + head[0];
    if (pathEnd > end) break;
    std::u16string path(head[0] / 2, u'\0');
    std::memcpy(path.data(), raw + offset + kAppRecordHeaderBytes, path.size() * 2);
    rules.appColors[pool.Intern(path, UserColorRules)] = head[1];  // Intern ends the path at its first 0
    offset = pathEnd;
  }
}

bool ReadAppColors(FileReader& file, uint32_t count, ColorRules& rules, StringPool& pool) {
  // The old entries go before the section is judged: a damaged section leaves none.
  pool.Release(UserColorRules);
  rules.appColors.clear();
  Section section;
  if (!ReadSection(file, kAppSectionRules, &section)) return false;
  TakeAppRecords(section, count, rules, pool);
  return true;
}

// A palette whose colours the file does not hold in full is left as it was.
bool ReadPalette(FileReader& file, uint32_t count, std::vector<ColorRef>& palette) {
  if (count == 0) return true;
  const uint64_t bytes = uint64_t{count} * sizeof(ColorRef);
  if (count > kMaxPaletteColors || bytes > file.Remaining()) return false;
  std::vector<ColorRef> colors(count);
  if (!file.ReadExact(colors.data(), static_cast<uint32_t>(bytes))) return false;
  palette.swap(colors);
  return true;
}

}  // namespace

bool WriteColorBlock(FileWriter& file, const ColorRules& rules, const StringPool& pool) {
  std::vector<uint8_t> records;
  const uint32_t appCount = BuildAppRecords(rules, pool, &records);
  // Compressed before the header is written, so that a header never announces entries that don't follow.
  ZeroedBuffer section;
  uint32_t sectionLength = 0;
  if (appCount > 0 && !PackSection(records.data(), static_cast<uint32_t>(records.size()), &section, &sectionLength)) {
    return false;
  }
  const ColorBlockHeader header{kColorBlockVersion, static_cast<int32_t>(rules.mode), appCount,
                                static_cast<uint32_t>(rules.genericColors.size()),
                                static_cast<uint32_t>(rules.hourColors.size())};
  return file.Write(&header, sizeof header) && (appCount == 0 || file.Write(section.data(), sectionLength)) &&
         WritePalette(file, rules.genericColors) && WritePalette(file, rules.hourColors);
}

bool ReadColorBlock(FileReader& file, ColorRules& rules, StringPool& pool) {
  ColorBlockHeader header;
  if (!file.ReadExact(&header, sizeof header) || header.version != kColorBlockVersion) return false;
  rules.mode = static_cast<ColorMode>(header.mode);
  if (header.appCount > 0 && !ReadAppColors(file, header.appCount, rules, pool)) return false;
  return ReadPalette(file, header.genericCount, rules.genericColors) &&
         ReadPalette(file, header.hourCount, rules.hourColors);
}

}  // namespace qm
