#include "ui/common/dialog_template.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace qm {
namespace {

constexpr uint32_t kSetFont = 0x40;  // DS_SETFONT; DS_SHELLFONT includes it
// dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy.
constexpr size_t kHeaderBytes = 26;
constexpr size_t kStyleOffset = 12;

uint16_t Word(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

// The end of a terminated UTF-16 string starting at `at`.
std::optional<size_t> SkipString(std::span<const uint8_t> bytes, size_t at) {
  for (; at + 2 <= bytes.size(); at += 2) {
    if (Word(bytes, at) == 0) return at + 2;
  }
  return std::nullopt;
}

// The end of a menu or class field: empty (0), an ordinal (0xFFFF and a word) or a string.
std::optional<size_t> SkipField(std::span<const uint8_t> bytes, size_t at) {
  if (at + 2 > bytes.size()) return std::nullopt;
  const uint16_t first = Word(bytes, at);
  if (first == 0) return at + 2;
  if (first == 0xFFFF) return at + 4 <= bytes.size() ? std::optional(at + 4) : std::nullopt;
  return SkipString(bytes, at);
}

void PutWord(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

size_t AlignedTo4(size_t at) { return (at + 3) & ~size_t{3}; }

}  // namespace

std::vector<uint8_t> WithDialogFont(std::span<const uint8_t> bytes, const DialogFont& font) {
  if (bytes.size() < kHeaderBytes || Word(bytes, 0) != 1 || Word(bytes, 2) != 0xFFFF) return {};
  uint32_t style = 0;
  std::memcpy(&style, bytes.data() + kStyleOffset, sizeof style);
  if ((style & kSetFont) == 0) return {};
  std::optional<size_t> at = SkipField(bytes, kHeaderBytes);  // menu
  if (at) at = SkipField(bytes, *at);                         // window class
  if (at) at = SkipString(bytes, *at);                        // title
  const size_t fontAt = at.value_or(0);
  // Point size, weight, italic and character set, then the face name.
  std::optional<size_t> fontEnd = at && *at + 6 <= bytes.size() ? SkipString(bytes, *at + 6) : std::nullopt;
  if (!fontEnd) return {};
  // The controls start at the next multiple of four; one that is not there means no controls.
  const size_t itemsAt = std::min(AlignedTo4(*fontEnd), bytes.size());

  std::vector<uint8_t> out(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(fontAt));
  PutWord(out, font.points);
  PutWord(out, font.weight);
  out.push_back(font.italic);
  out.push_back(font.charset);
  for (char16_t c : font.face) PutWord(out, c);
  PutWord(out, 0);
  out.resize(AlignedTo4(out.size()), 0);
  out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(itemsAt), bytes.end());
  return out;
}

}  // namespace qm
