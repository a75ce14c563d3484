#include "ui/common/window_geometry.h"

namespace qm {

Point CenteredOrigin(Size screen, Size window) {
  return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

Rect LayoutInClient(Anchor anchor, const Rect& control, Size clientAtSetUp, Size client) {
  const int32_t dW = client.width - clientAtSetUp.width;
  const int32_t dH = client.height - clientAtSetUp.height;
  if (anchor == Anchor::Stretch) return {control.left, control.top, control.right + dW, control.bottom + dH};
  const int32_t width = control.Width() + (anchor == Anchor::BottomStretch ? dW : 0);
  return {control.left, control.top + dH, control.left + width, control.bottom + dH};
}

int32_t TimelineX(uint32_t startMs, int32_t imageWidth) {
  return static_cast<int32_t>(static_cast<int64_t>(startMs / 1000) * imageWidth / 86400);
}

}  // namespace qm
