#include "ui/common/window_geometry.h"

#include <algorithm>

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

Rect LayoutControl(Anchor anchor, const Rect& control, const Rect& windowAtSetUp, const Rect& window) {
  const Rect fromCorner{control.left - windowAtSetUp.left, control.top - windowAtSetUp.top,
                        control.right - windowAtSetUp.left, control.bottom - windowAtSetUp.top};
  return LayoutInClient(anchor, fromCorner, {windowAtSetUp.Width(), windowAtSetUp.Height()},
                        {window.Width(), window.Height()});
}

int32_t TimelineX(uint32_t startMs, int32_t imageWidth) {
  return static_cast<int32_t>(static_cast<int64_t>(startMs / 1000) * imageWidth / 86400);
}

}  // namespace qm
