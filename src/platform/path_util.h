// Path arithmetic on UTF-16 strings for a given separator; the POSIX and fake environments use it,
// the Win32 one falls back to it where the shell helpers cannot answer.
#pragma once

#include <string>
#include <string_view>

namespace qm::path_util {

// `name` appended to `folder`, with "." segments dropped and ".." segments resolved; an absolute
// `name` stands alone. A trailing separator on `name` is kept.
std::u16string Combine(const std::u16string& folder, const std::u16string& name, char16_t separator);
// The path without its last component (and without the separator before it, unless it is the root).
std::u16string RemoveFileSpec(const std::u16string& path, char16_t separator);
// The last component of the path.
std::u16string FindFileName(const std::u16string& path, char16_t separator);
// The path without the extension of its last component.
std::u16string RemoveExtension(const std::u16string& path, char16_t separator);
std::u16string AddTrailingSeparator(const std::u16string& path, char16_t separator);

// Equal under ASCII case folding, as file names are compared for their extensions.
bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b);
// The text from the path's last dot on equals `extension` (".bin2", with its dot), ignoring case.
bool HasExtension(std::u16string_view path, std::u16string_view extension);

}  // namespace qm::path_util
