#include "ui/settings/color_list.h"

#include <algorithm>
#include <cstdio>
#include <functional>

#include "platform/text_compare.h"
#include "platform/utf.h"

namespace qm {
namespace {

// The values of the Windows placement fields that matter here.
constexpr uint32_t kShowMinimized = 2;
constexpr uint32_t kShowMaximized = 3;
constexpr uint32_t kMinimize = 6;
constexpr uint32_t kRestore = 9;
constexpr uint32_t kRestoreToMaximized = 2;

std::u16string_view PathOf(const StringPool& pool, int32_t key) {
  const PoolEntry* entry = pool.Find(key);
  return entry != nullptr ? entry->Text() : std::u16string_view();
}

}  // namespace

std::vector<ColorEntry> ColorRowsOf(const ColorRules& rules) {
  std::vector<ColorEntry> rows;
  switch (rules.mode) {
    case ColorMode::PerApplication:
      for (const auto& [key, color] : rules.appColors) rows.push_back({key, 0});
      break;
    case ColorMode::Generic:
    case ColorMode::PerHour: {
      const size_t count = (rules.mode == ColorMode::Generic ? rules.genericColors : rules.hourColors).size();
      for (size_t i = 0; i < count; ++i) rows.push_back({static_cast<int32_t>(i), 0});
      break;
    }
    default: break;
  }
  for (size_t i = 0; i < rows.size(); ++i) rows[i].position = static_cast<int32_t>(i);
  return rows;
}

void SortColorRows(std::vector<ColorEntry>& rows, int column, bool ascending, const ColorRules& rules,
                   const StringPool& pool) {
  // Negative, zero or positive as a sorts before, with or after b in ascending order.
  std::function<int(const ColorEntry&, const ColorEntry&)> compare;
  if (column == kColorValueColumn) {
    compare = [&](const ColorEntry& a, const ColorEntry& b) {
      const ColorRef ca = rules.ColorOf(a.key), cb = rules.ColorOf(b.key);
      return ca < cb ? -1 : (ca > cb ? 1 : 0);
    };
  } else if (rules.mode == ColorMode::PerApplication) {
    compare = [&](const ColorEntry& a, const ColorEntry& b) {
      return CompareText(PathOf(pool, a.key), PathOf(pool, b.key));
    };
  } else {
    compare = [](const ColorEntry& a, const ColorEntry& b) { return a.key < b.key ? -1 : (a.key > b.key ? 1 : 0); };
  }
  std::sort(rows.begin(), rows.end(), [&](const ColorEntry& a, const ColorEntry& b) {
    const int order = compare(a, b);
    return ascending ? order < 0 : order > 0;
  });
  for (size_t i = 0; i < rows.size(); ++i) rows[i].position = static_cast<int32_t>(i);
}

std::u16string ColorKeyText(const ColorRules& rules, const StringPool& pool, int32_t key) {
  if (rules.mode == ColorMode::PerApplication) return std::u16string(PathOf(pool, key));
  return FromUtf8(std::to_string(key));
}

std::u16string ColorValueText(ColorRef color) {
  const ColorRef rgb = (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(rgb));
  return FromUtf8(text);
}

std::u16string ColorHeaderText(int column, int sortedColumn, bool ascending) {
  if (column < 0 || column > 1) return std::u16string();
  std::u16string text = Tr(kColorListHeaders[column]);
  if (column == sortedColumn) text += ascending ? u" ▽" : u" △";
  return text;
}

void RemoveColors(ColorRules& rules, StringPool& pool, std::vector<int32_t> keys) {
  std::sort(keys.begin(), keys.end(), std::greater<int32_t>());
  for (int32_t key : keys) rules.RemoveColor(key, pool);
}

WindowPlacement PlacementToStore(WindowPlacement placement) {
  if (placement.showCmd == kShowMinimized || placement.showCmd == kMinimize) {
    placement.showCmd = (placement.flags & kRestoreToMaximized) != 0 ? kShowMaximized : kRestore;
  }
  return placement;
}

}  // namespace qm
