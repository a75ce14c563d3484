#include "ui/common/dpi_scale.h"

namespace qm {

int32_t Rescale(int32_t pixels, uint32_t fromDpi, uint32_t toDpi) {
  if (fromDpi == 0) return pixels;
  // Halves away from zero, like MulDiv.
  const int64_t product = static_cast<int64_t>(pixels) * toDpi;
  const int64_t half = fromDpi / 2;
  return static_cast<int32_t>(product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi);
}

int32_t ToDpi(int32_t value, uint32_t dpi) { return Rescale(value, kBaseDpi, dpi); }

int32_t FromDpi(int32_t pixels, uint32_t dpi) { return Rescale(pixels, dpi, kBaseDpi); }

Rect RescaleRect(const Rect& rect, uint32_t fromDpi, uint32_t toDpi) {
  return {Rescale(rect.left, fromDpi, toDpi), Rescale(rect.top, fromDpi, toDpi), Rescale(rect.right, fromDpi, toDpi),
          Rescale(rect.bottom, fromDpi, toDpi)};
}

Size RescaleSize(Size size, uint32_t fromDpi, uint32_t toDpi) {
  return {Rescale(size.width, fromDpi, toDpi), Rescale(size.height, fromDpi, toDpi)};
}

int32_t IconSide(bool small, uint32_t dpi) { return ToDpi(small ? 16 : 32, dpi); }

}  // namespace qm
