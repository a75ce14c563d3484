#include "ui/common/window_geometry.h"

#include <algorithm>

namespace qm {

Point CenteredOrigin(Size screen, Size window) {
  return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

Rect LayoutControl(Anchor anchor, const Rect& control, const Rect& windowAtSetUp, const Rect& window) {
  const int32_t dW = window.Width() - windowAtSetUp.Width();
  const int32_t dH = window.Height() - windowAtSetUp.Height();
  if (anchor == Anchor::Stretch) {
    return {0, 0, control.Width() + dW, control.Height() + dH};
  }
  const int32_t x = control.left - windowAtSetUp.left;
  const int32_t y = control.top - windowAtSetUp.top + dH;
  const int32_t width = control.Width() + (anchor == Anchor::BottomStretch ? dW : 0);
  return {x, y, x + width, y + control.Height()};
}

Rect ListAbove(const Rect& list, const Rect& below) {
  Rect r = list;
  r.bottom = std::min(r.bottom, std::max(below.top, r.top));
  return r;
}

int32_t TimelineX(uint32_t startMs, int32_t imageWidth) {
  return static_cast<int32_t>(static_cast<int64_t>(startMs / 1000) * imageWidth / 86400);
}

}  // namespace qm
