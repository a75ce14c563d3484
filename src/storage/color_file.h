// Colour files "*.color": exactly one ColorBlock, nothing before or after it. Also the rule by which
// dropped files and command-line names are taken as a colour file or a day log.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "color/color_rules.h"
#include "core/string_pool.h"
#include "platform/env.h"

namespace qm {

// What the open and save dialogs for colour files offer.
inline constexpr char16_t kColorFileFilterLabel[] = u"Quillmere Color File (*.color)";
inline constexpr char16_t kColorFilePattern[] = u"*.color";
inline constexpr char16_t kColorFileExtension[] = u"color";

// Writes the rules in place of any previous file in one step; a failed save leaves that file as it was.
bool SaveColorFile(Env& env, const std::u16string& path, const ColorRules& rules, const StringPool& pool);
// Reads the file's ColorBlock into the rules; what was read before a failure stays.
bool LoadColorFile(Env& env, const std::u16string& path, ColorRules& rules, StringPool& pool);

// True when the name's text from its last "." on is ".color", in any case.
bool IsColorFileName(std::u16string_view name);

struct OpenedFiles {
  bool colorLoaded = false;
  bool logShown = false;
};
using OpenFileAction = std::function<bool(const std::u16string& path)>;

// Takes the names in order: a ".color" name is loaded as colours until one has loaded; every other name,
// and a ".color" name after that, is offered to the day-log opening until one has opened. Ends as soon
// as both have succeeded.
OpenedFiles OpenDroppedFiles(std::span<const std::u16string> names, const OpenFileAction& loadColorFile,
                             const OpenFileAction& showDayLog);

}  // namespace qm
