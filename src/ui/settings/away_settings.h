// The settings window's group for away time, without a window: the thresholds it offers, with the
// one the file holds when it is none of them, and the texts of away time in code (the group's own
// labels are in the resource script).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/text/texts.h"

namespace qm {

// The notification-area icon's tip while nobody is there.
inline constexpr TextId kAwayTipText = TextId::AwayTip;
// Followed by the file's path, when the settings window could not write it.
inline constexpr TextId kIniSaveFailedText = TextId::IniNotSaved;

struct AwayChoice {
  std::u16string text;
  uint32_t seconds;
};

// Off and 1, 2, 3, 5, 10, 15, 30 and 60 minutes; a value the file holds besides these follows them,
// so that opening and closing the window never changes it.
std::vector<AwayChoice> AwayChoices(uint32_t storedSeconds);
// The entry holding `storedSeconds`.
int AwaySelection(const std::vector<AwayChoice>& choices, uint32_t storedSeconds);
// The seconds of the selected entry; `storedSeconds` when none is selected.
uint32_t SelectedAwaySeconds(const std::vector<AwayChoice>& choices, int selected, uint32_t storedSeconds);

}  // namespace qm
