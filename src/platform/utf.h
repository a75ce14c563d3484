// Conversions between the program's UTF-16 strings and UTF-8 (file names on POSIX, console output).
#pragma once

#include <string>
#include <string_view>

namespace qm {

// Unpaired surrogates and malformed bytes become U+FFFD.
std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace qm
