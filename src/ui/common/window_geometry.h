// Window arithmetic without windows: centring and the layout rules of the main and usage windows.
#pragma once

#include <cstdint>

namespace qm {

struct Point {
  int32_t x = 0;
  int32_t y = 0;
};
struct Size {
  int32_t width = 0;
  int32_t height = 0;
};
struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
};

// Top-left corner that centres a window of `window` size on a screen of `screen` size.
Point CenteredOrigin(Size screen, Size window);

// How a control of the main or usage window follows a change of the window's size.
enum class Anchor {
  Stretch,        // the list: keeps its place, grows with the window
  Bottom,         // buttons and text lines: keep their size, ride on the bottom edge
  BottomStretch,  // the timeline: rides on the bottom edge, grows in width only
};

// The control's new position and size in client coordinates, from its client rectangle at set-up and
// the change of the client area's size since then; the frame, caption and menu play no part, so the
// first layout leaves every control where the template put it.
Rect LayoutInClient(Anchor anchor, const Rect& control, Size clientAtSetUp, Size client);

// The timeline position of a record's start: x = start seconds * width / 86,400.
int32_t TimelineX(uint32_t startMs, int32_t imageWidth);

}  // namespace qm
