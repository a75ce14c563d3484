#include "platform/path_util.h"

#include <vector>

namespace qm::path_util {
namespace {

bool IsAbsolute(const std::u16string& path, char16_t separator) {
  if (!path.empty() && path[0] == separator) return true;
  // A drive letter ("C:") counts as absolute where the separator is the backslash.
  return separator == u'\\' && path.size() >= 2 && path[1] == u':';
}

// Resolves "." and ".." segments; keeps a leading root and a trailing separator.
std::u16string Canonicalize(const std::u16string& path, char16_t separator) {
  const bool rooted = !path.empty() && path[0] == separator;
  const bool trailing = path.size() > 1 && path.back() == separator;
  std::vector<std::u16string> parts;
  size_t begin = 0;
  while (begin <= path.size()) {
    size_t end = path.find(separator, begin);
    if (end == std::u16string::npos) end = path.size();
    std::u16string part = path.substr(begin, end - begin);
    if (part == u"..") {
      if (!parts.empty() && parts.back() != u"..") {
        parts.pop_back();
      } else if (!rooted) {
        parts.push_back(part);
      }
    } else if (!part.empty() && part != u".") {
      parts.push_back(part);
    }
    begin = end + 1;
  }
  std::u16string out = rooted ? std::u16string(1, separator) : std::u16string();
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) out += separator;
    out += parts[i];
  }
  if (trailing && !parts.empty()) out += separator;
  return out;
}

}  // namespace

std::u16string Combine(const std::u16string& folder, const std::u16string& name, char16_t separator) {
  if (name.empty()) return Canonicalize(folder, separator);
  if (folder.empty() || IsAbsolute(name, separator)) return Canonicalize(name, separator);
  return Canonicalize(AddTrailingSeparator(folder, separator) + name, separator);
}

std::u16string RemoveFileSpec(const std::u16string& path, char16_t separator) {
  const size_t last = path.rfind(separator);
  if (last == std::u16string::npos) return std::u16string();
  if (last == 0) return path.substr(0, 1);
  return path.substr(0, last);
}

std::u16string FindFileName(const std::u16string& path, char16_t separator) {
  const size_t last = path.rfind(separator);
  return last == std::u16string::npos ? path : path.substr(last + 1);
}

std::u16string RemoveExtension(const std::u16string& path, char16_t separator) {
  const size_t nameStart = path.size() - FindFileName(path, separator).size();
  const size_t dot = path.rfind(u'.');
  if (dot == std::u16string::npos || dot < nameStart) return path;
  return path.substr(0, dot);
}

bool EqualsIgnoringCase(std::u16string_view a, std::u16string_view b) {
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + (u'a' - u'A')) : c; };
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

bool HasExtension(std::u16string_view path, std::u16string_view extension) {
  const size_t dot = path.rfind(u'.');
  return dot != std::u16string_view::npos && EqualsIgnoringCase(path.substr(dot), extension);
}

std::u16string AddTrailingSeparator(const std::u16string& path, char16_t separator) {
  if (!path.empty() && path.back() == separator) return path;
  return path + separator;
}

}  // namespace qm::path_util
