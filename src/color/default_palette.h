// The fixed palette behind the generic colours and the colour chooser's custom colours.
#pragma once

#include <array>
#include <cstdint>

namespace qm {

using ColorRef = uint32_t;  // 0x00BBGGRR, red in the lowest byte
inline constexpr ColorRef kWhite = 0xFFFFFF;

// 17 entries: 15 and 16 repeat 8 and 9, and every lookup by key takes the key modulo 17.
inline constexpr std::array<ColorRef, 17> DefaultPalette = {
    0xFFFFD0, 0xFFD0D0, 0xD0FFD0, 0xD0D0D0, 0xFFD0FF, 0xD0D0FF, 0xD0FFFF, 0xFFFFFF, 0xFFFFB0,
    0xFFB0B0, 0xB0FFB0, 0xB0B0B0, 0xFFB0FF, 0xB0B0FF, 0xB0FFFF, 0xFFFFB0, 0xFFB0B0,
};

}  // namespace qm
