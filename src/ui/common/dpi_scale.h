// Sizes at any DPI without windows: values designed at 96 DPI scaled to a monitor's DPI and back,
// rounded to the nearest pixel as the system's own scaling rounds.
#pragma once

#include <cstdint>

#include "ui/common/window_geometry.h"

namespace qm {

inline constexpr uint32_t kBaseDpi = 96;

// A length of 96-DPI pixels at `dpi`.
int32_t ToDpi(int32_t value, uint32_t dpi);
// A length in pixels at `dpi` as 96-DPI pixels; undoes ToDpi for every DPI of 96 and above.
int32_t FromDpi(int32_t pixels, uint32_t dpi);
// A length measured at `fromDpi` at `toDpi`.
int32_t Rescale(int32_t pixels, uint32_t fromDpi, uint32_t toDpi);
// Each edge rescaled, so that distances between rectangles scale alike.
Rect RescaleRect(const Rect& rect, uint32_t fromDpi, uint32_t toDpi);
Size RescaleSize(Size size, uint32_t fromDpi, uint32_t toDpi);

// The side of a small (16 at 96 DPI) or large (32) icon at `dpi`.
int32_t IconSide(bool small, uint32_t dpi);

}  // namespace qm
