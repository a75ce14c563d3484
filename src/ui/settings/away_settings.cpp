#include "ui/settings/away_settings.h"

#include "platform/utf.h"

namespace qm {
namespace {

constexpr uint32_t kOfferedMinutes[] = {1, 2, 3, 5, 10, 15, 30, 60};

std::u16string DurationText(uint32_t seconds) {
  if (seconds % 60 == 0) return FromUtf8(std::to_string(seconds / 60)) + Tr(TextId::MinutesUnit);
  return FromUtf8(std::to_string(seconds)) + Tr(TextId::SecondsUnit);
}

}  // namespace

std::vector<AwayChoice> AwayChoices(uint32_t storedSeconds) {
  std::vector<AwayChoice> choices = {{Tr(TextId::Never), 0}};
  for (const uint32_t minutes : kOfferedMinutes) choices.push_back({DurationText(minutes * 60), minutes * 60});
  if (AwaySelection(choices, storedSeconds) < 0) choices.push_back({DurationText(storedSeconds), storedSeconds});
  return choices;
}

int AwaySelection(const std::vector<AwayChoice>& choices, uint32_t storedSeconds) {
  for (size_t i = 0; i < choices.size(); ++i) {
    if (choices[i].seconds == storedSeconds) return static_cast<int>(i);
  }
  return -1;
}

uint32_t SelectedAwaySeconds(const std::vector<AwayChoice>& choices, int selected, uint32_t storedSeconds) {
  if (selected < 0 || static_cast<size_t>(selected) >= choices.size()) return storedSeconds;
  return choices[static_cast<size_t>(selected)].seconds;
}

}  // namespace qm
