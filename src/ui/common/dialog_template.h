// The font of an extended dialog template (DLGTEMPLATEEX), changed without a window: the English
// windows are made from the same templates as the Japanese ones, in the system's dialog font.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qm {

struct DialogFont {
  std::u16string face;
  uint16_t points = 0;
  uint16_t weight = 0;
  uint8_t italic = 0;
  uint8_t charset = 0;
};

// The template with `font` in place of its own; the controls stay as they are. Empty when `bytes` is
// no complete extended template with a font (DS_SETFONT or DS_SHELLFONT).
std::vector<uint8_t> WithDialogFont(std::span<const uint8_t> bytes, const DialogFont& font);

}  // namespace qm
