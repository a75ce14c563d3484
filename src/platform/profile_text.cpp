#include "platform/profile_text.h"

#include <vector>

namespace qm::profile_text {
namespace {

std::string_view Trimmed(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

char Folded(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return lines;
}

// The name of a "[Section]" line; nothing for any other line.
std::optional<std::string_view> SectionOf(std::string_view line) {
  line = Trimmed(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trimmed(line.substr(1, close - 1));
}

// The value of a "Key=Value" line whose key is `key`.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key) {
  line = Trimmed(line);
  if (line.empty() || line.front() == ';') return std::nullopt;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos || !SameName(Trimmed(line.substr(0, equals)), key)) return std::nullopt;
  return Trimmed(line.substr(equals + 1));
}

// Where the lines of `section` are: from the line after its header to the line before the next header.
struct SectionSpan {
  size_t header = 0, end = 0;
  bool found = false;
};

SectionSpan FindSection(const std::vector<std::string_view>& lines, std::string_view section) {
  SectionSpan span;
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionOf(lines[i]);
    if (!name) continue;
    if (span.found) {
      span.end = i;
      return span;
    }
    if (SameName(*name, section)) span = {i, lines.size(), true};
  }
  return span;
}

}  // namespace

std::string ReadFile(Env& env, const std::u16string& path) {
  std::string text;
  const FileHandle file = env.OpenForRead(path);
  if (file == kInvalidFile) return text;
  text.resize(kFileBytesLimit);
  uint32_t got = 0, total = 0;
  while (total < kFileBytesLimit && env.Read(file, text.data() + total, kFileBytesLimit - total, &got) && got > 0) {
    total += got;
  }
  env.Close(file);
  text.resize(total);
  return text;
}

std::optional<std::string> Find(std::string_view text, std::string_view section, std::string_view key) {
  const std::vector<std::string_view> lines = Lines(text);
  const SectionSpan span = FindSection(lines, section);
  for (size_t i = span.header + 1; span.found && i < span.end; ++i) {
    if (const auto value = ValueOf(lines[i], key)) return std::string(*value);
  }
  return std::nullopt;
}

std::string With(std::string_view text, std::string_view section, std::string_view key, std::string_view value) {
  std::vector<std::string> lines;
  for (std::string_view line : Lines(text)) {
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
  }
  const std::string entry = std::string(key) + "=" + std::string(value);
  const SectionSpan span = FindSection(std::vector<std::string_view>(lines.begin(), lines.end()), section);
  if (!span.found) {
    if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(entry);
  } else {
    size_t at = span.end;
    for (size_t i = span.header + 1; i < span.end && at == span.end; ++i) {
      if (ValueOf(lines[i], key)) at = i;
    }
    if (at < span.end) {
      lines[at] = entry;
    } else {
      // After the section's last non-empty line, so that a blank line before the next section stays.
      size_t after = span.end;
      while (after > span.header + 1 && Trimmed(lines[after - 1]).empty()) --after;
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(after), entry);
    }
  }
  std::string out;
  for (const std::string& line : lines) out += line + "\r\n";
  return out;
}

}  // namespace qm::profile_text
