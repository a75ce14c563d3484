// The text of a private-profile (INI) file, read and changed by the rules the system's own
// private-profile functions follow: "[Section]" lines open a section, "Key=Value" lines give values,
// names match without regard to ASCII case, spaces around names and values are dropped, lines that
// begin with ';' are comments, and the first match wins.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/env.h"

namespace qm::profile_text {

// A settings file is a few hundred bytes; anything past this is not read.
inline constexpr uint32_t kFileBytesLimit = 64 * 1024;

// The file's first kFileBytesLimit bytes; empty when it cannot be read.
std::string ReadFile(Env& env, const std::u16string& path);

// The value of `key` in `section`; nothing when either is missing.
std::optional<std::string> Find(std::string_view text, std::string_view section, std::string_view key);

// `text` with `key` in `section` set to `value`: the first such line is replaced, or the key is added
// at the end of the section, or the section is added at the end. Every other line is kept as it was;
// lines end with CR LF.
std::string With(std::string_view text, std::string_view section, std::string_view key, std::string_view value);

}  // namespace qm::profile_text
