// Turns periodic looks at the foreground window into the records of the current day: an entry is
// open while the foreground title stays the same and becomes a record when the title or the day
// changes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "app/app_state.h"
#include "platform/window_system.h"

namespace qm {

// kPathUnits (520) of the settings bounds the executable paths too.
inline constexpr size_t kDevicePathUnits = 260;

// One look at `foreground` (0: none) at the environment's time, unless nobody is there (presence.h).
// True when an entry was closed or opened or the day changed; `dayChanged` is set (never cleared)
// when the day changed, after the finished day was saved and exported under its own date.
bool SampleTick(AppState& app, WindowSystem& windows, uintptr_t foreground, bool& dayChanged);

// At program end, before saving: the entry in progress becomes a record up to now and continues
// from now, so that a program that keeps running counts no time twice.
void RecordOpenEntry(AppState& app);

// At suspend: the entry in progress becomes a record up to now and nothing stays open, so that the
// time asleep counts for no window; after resume the next look starts a new entry.
void EndOpenEntry(AppState& app);
// The same at `endTick`, which may lie in the past, but never before the entry's start. True when
// an entry was in progress.
bool EndOpenEntryAt(AppState& app, uint32_t endTick);

// The full path of the executable of the window's process, from its device form when the direct way
// fails. On failure `path` holds the empty string.
bool ExecutablePathOfWindow(DriveMap& drives, WindowSystem& windows, uintptr_t window, std::span<char16_t> path);

// "\Device\HarddiskVolume2\x.exe" -> "C:\x.exe", truncated to `path`. False, `path` untouched, when
// no drive's device is a prefix of `devicePath` ending before a backslash.
bool TranslateDevicePath(DriveMap& drives, WindowSystem& windows, std::u16string_view devicePath,
                         std::span<char16_t> path);

}  // namespace qm
