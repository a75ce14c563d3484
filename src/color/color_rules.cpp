#include "color/color_rules.h"

#include <iterator>

namespace qm {
namespace {

constexpr size_t kGenericDefaultCount = 8;
constexpr ColorRef kHourDefaults[] = {0xFFFFFF, 0xEFFFEF};

// Keys index palettes as unsigned numbers, so -1 picks the last slot of a palette of 2^n colours.
size_t IndexFor(int32_t key, size_t size) { return static_cast<uint32_t>(key) % size; }

}  // namespace

void ColorRules::ResetPalettes() {
  genericColors.assign(DefaultPalette.begin(), DefaultPalette.begin() + kGenericDefaultCount);
  hourColors.assign(std::begin(kHourDefaults), std::end(kHourDefaults));
}

std::vector<ColorRef>* ColorRules::Palette() {
  if (mode == ColorMode::Generic) return &genericColors;
  if (mode == ColorMode::PerHour) return &hourColors;
  return nullptr;
}

const std::vector<ColorRef>* ColorRules::Palette() const { return const_cast<ColorRules*>(this)->Palette(); }

ColorRef ColorRules::ColorOf(int32_t key) const {
  if (mode == ColorMode::PerApplication) {
    const auto it = appColors.find(key);
    return it == appColors.end() ? kWhite : it->second;
  }
  const std::vector<ColorRef>* palette = Palette();
  if (!palette || palette->empty()) return kWhite;
  return (*palette)[IndexFor(key, palette->size())];
}

int32_t ColorRules::RecordColorKey(const ActivityRecord& record) const {
  if (mode == ColorMode::PerHour) return static_cast<int32_t>(record.start / kMillisecondsPerHour);
  return static_cast<int32_t>(record.exeKey);
}

void ColorRules::SetColor(int32_t key, ColorRef color) {
  if (mode == ColorMode::PerApplication) {
    const auto it = appColors.find(key);
    if (it != appColors.end()) it->second = color;
    return;
  }
  std::vector<ColorRef>* palette = Palette();
  if (palette && !palette->empty()) (*palette)[IndexFor(key, palette->size())] = color;
}

void ColorRules::AddColor(ColorRef color) {
  if (std::vector<ColorRef>* palette = Palette()) palette->push_back(color);
}

bool ColorRules::RemoveColor(int32_t key, StringPool& pool) {
  if (mode == ColorMode::PerApplication) {
    pool.ReleaseKey(key, UserColorRules);
    return appColors.erase(key) > 0;
  }
  std::vector<ColorRef>* palette = Palette();
  if (!palette || key < 0 || static_cast<size_t>(key) >= palette->size()) return false;
  palette->erase(palette->begin() + key);
  return true;
}

void ColorRules::ResetColors(StringPool& pool) {
  for (const auto& [key, color] : appColors) pool.ReleaseKey(key, UserColorRules);
  appColors.clear();
  ResetPalettes();
}

void ColorRules::AdoptPoolPaths(StringPool& pool) {
  // Slot() on a key that exists inserts nothing, so the walk over the entries stays valid.
  for (const auto& [key, entry] : pool.Entries()) {
    appColors.try_emplace(key, DefaultPalette[IndexFor(key, DefaultPalette.size())]);
    if (entry.text) StringPool::Acquire(pool.Slot(key), entry.Text(), UserColorRules);
  }
}

bool ChangeRecordColors(ColorRules& rules, std::span<const ActivityRecord> selected, const ColorChooser& choose) {
  if (selected.empty()) return false;
  ColorRef chosen = 0;
  if (!choose(rules.RecordColor(selected.front()), &chosen)) return false;
  for (const ActivityRecord& record : selected) rules.SetColor(rules.RecordColorKey(record), chosen);
  return true;
}

}  // namespace qm
