// The settings file "config" beside the executable: the tag "cfgi" and the AppSettings record, the
// ColorBlock, then the HistoryBlock. Files of the older, shorter record layouts are still read.
#pragma once

#include <string>

#include "storage/stored_state.h"
#include "storage/color_block.h"
#include "storage/history_block.h"

namespace qm {

// The executable's folder combined with "config".
std::u16string SettingsFilePath(Env& env);

// Writes settings, colours and history in place of the previous file in one step; a failed save leaves
// the previous file as it was. An empty history is left out and makes the result false, although the
// settings and colours were saved.
bool SaveSettingsFile(StoredState& app);

// Reads the file into the settings, the colour rules and the search history. Fields beyond an older
// layout keep their values; a record cut short has replaced only the bytes that arrived. False at the
// first block that cannot be read, and the blocks after it are not read.
bool LoadSettingsFile(StoredState& app);
bool LoadSettingsFileFrom(StoredState& app, const std::u16string& path);

}  // namespace qm
