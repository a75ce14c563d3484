// The timeline picture under the day list, drawn pixel by pixel into a plain 32-bit image: the whole
// day in the upper half, the hour around the mouse magnified in the lower half. No window here: the
// main window owns the image, feeds it the cursor and copies it to the screen.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "color/color_rules.h"
#include "core/day_log.h"
#include "output/list_model.h"
#include "ui/common/window_geometry.h"

namespace qm {

// The top byte stays 0, as in the bars' colours: a static control shows a picture with alpha through
// a copy of its own, which would miss every later redraw (and show the bars as holes).
inline constexpr uint32_t kBackgroundPixel = 0x00FFFFFF;
inline constexpr uint32_t kScalePixel = 0x00202020;  // middle line and ticks
inline constexpr uint32_t kMousePixel = 0x00FF0000;  // mouse line and drag band
// The text colour of the hour numbers, a COLORREF like kScalePixel.
inline constexpr ColorRef kHourTextColor = 0x202020;

inline constexpr int32_t kSecondsPerDay = 86'400;
inline constexpr int32_t kZoomSeconds = 3'600;  // the magnifier's span

// The header the system's bitmap calls take with a 32-bit top-down-addressed image: the same 44 bytes.
struct BitmapInfo {
  uint32_t headerSize;
  int32_t width;
  int32_t height;  // positive: the buffer's first row is the picture's bottom row
  uint16_t planes;
  uint16_t bitCount;
  uint32_t compression;
  uint32_t imageSize;
  int32_t xPelsPerMeter;
  int32_t yPelsPerMeter;
  uint32_t colorsUsed;
  uint32_t colorsImportant;
  uint32_t firstColor;
};
static_assert(sizeof(BitmapInfo) == 44);

// A 32-bit image over a bottom-up pixel buffer, addressed from the top: pixel (x, y) is element
// (height - 1 - y) * width + x. Pixels are 0xAARRGGBB.
class DIB {
 public:
  DIB() = default;
  DIB(const DIB&) = delete;
  DIB& operator=(const DIB&) = delete;
  virtual ~DIB();

  // The new size, the old pixels kept at the top left and the new area filled with `pixel`. True when
  // done or when the size is unchanged; false for a width or height below 1.
  virtual bool Regrow(int32_t width, int32_t height, uint32_t pixel);
  // A new image of that size, all pixels 0, in place of the old one. False for a size below 1 or of
  // 2^30 pixels or more, and when the memory is not there.
  virtual bool CreateImage(int32_t width, int32_t height);
  // No image afterwards.
  virtual void ReleaseImage();

  uint32_t* bits = nullptr;
  BitmapInfo info = {};

  int32_t Width() const { return info.width; }
  int32_t Height() const { return info.height; }
  uint32_t& At(int32_t x, int32_t y) { return bits[static_cast<size_t>(Height() - 1 - y) * Width() + x]; }

 protected:
  void SetInfo(int32_t width, int32_t height);

 private:
  std::unique_ptr<uint32_t[]> heap_;
};

// Whether a size makes an image at all (both sides at least 1, fewer than 2^30 pixels).
bool IsImageSize(int32_t width, int32_t height);

// Where the hour numbers of the magnifier go: text drawn into the same image.
class HourTextPainter {
 public:
  virtual ~HourTextPainter() = default;
  virtual void DrawText(int32_t x, int32_t y, std::u16string_view text) = 0;
};

// What the picture shows: the rows of the list in list order, their day and colours, at the DPI of
// the monitor it is shown on.
struct TimelineScene {
  const ListModel& list;
  const ColorRules& colors;
  uint32_t dpi = 96;
};

// The marks that keep their size in device pixels rather than following the picture's height:
// designed at 96 DPI and scaled, so that nothing is stretched on a high-DPI monitor. The ticks are
// fractions of the height, which the window scales.
struct TimelineMetrics {
  int32_t hourFontHeight;  // the magnifier's hour numbers: 12 px at 96 DPI
  int32_t hourTextLeft;    // from the hour's tick to its number: 1
  int32_t hourTextRise;    // from the bottom edge up to the number's top: 12
  int32_t dragBandHeight;  // the drag band across the middle line: 2
};
TimelineMetrics TimelineMetricsAt(uint32_t dpi);

inline constexpr Point kNoPoint = {-1, -1};
inline bool IsNoPoint(Point p) { return p.x == -1 && p.y == -1; }

// Mouse positions remembered between redraws and timer ticks.
struct TimelineState {
  std::optional<Point> zoomCentre;  // where the magnifier was last centred
  Point lastHoverPoint = {0, 0};    // the cursor at the previous timer tick
};

// A COLORREF (0x00BBGGRR) as a pixel: red and blue change places, green and the top byte stay.
uint32_t PixelOf(ColorRef color);

// Fills the columns from max(left, 0) up to min(left + |width|, w) and the rows from max(top, 0) up to
// min(top + |height|, h). False when there is no image.
bool FillPixels(DIB& image, int32_t top, int32_t left, int32_t width, int32_t height, uint32_t pixel);
// A line from (x0, y0) to (x1, y1), clipped to the image; a steep line includes its lower end, a
// flat one leaves out its right end. False when there is no image or nothing to draw.
bool DrawPixelLine(DIB& image, int32_t y0, int32_t x0, int32_t x1, int32_t y1, uint32_t pixel);

// The middle line and the 25 hour ticks rising from it: to the top at 0, 12 and 24 o'clock, to an
// eighth of the height at 6 and 18, to a quarter elsewhere.
void DrawTimelineAxis(DIB& image);
// One bar per row of the list across the upper half, later rows over earlier ones.
void DrawDayBars(DIB& image, const TimelineScene& scene);
// The hour around `mouse` across the lower half: its records as bars, a minute scale and the hour
// numbers. A mouse of kNoPoint keeps the last centre.
void DrawZoomHour(DIB& image, const TimelineScene& scene, Point mouse, TimelineState& state,
                  HourTextPainter& text);
// The whole picture: background, bars, magnifier, scale, the mouse line in the upper half and, when
// `mark` is a point, the drag band from it to the mouse across the middle line.
void RenderTimeline(DIB& image, const TimelineScene& scene, Point mouse, Point mark, TimelineState& state,
                    HourTextPainter& text);

// The record that covers second `seconds` of the day (before the first record: record 0), or -1 for
// a day without records. Relies on the records being in start order, as they are recorded.
int32_t FindRecordAt(const DayLog& day, uint32_t seconds);
// The second of the day under column x of a picture `width` wide (0 when there is none); columns
// left or right of the picture give the day's first or last second.
int32_t SecondsAtX(int32_t x, int32_t width);

// "12:00.00\n".
std::u16string HoverText(int32_t seconds);
// "01:00.00 -> 02:00.00\n", the earlier time first.
std::u16string DragText(int32_t anchorSeconds, int32_t seconds);

// The records from the one at the anchor's time to the one at the mouse's time, in record order; none
// for a day without records.
struct RecordRange {
  uint32_t first;
  uint32_t last;  // inclusive
};
std::optional<RecordRange> DraggedRecords(const DayLog& day, int32_t anchorSeconds, int32_t seconds);

// True when a tick of the timeline timer has something to do: the window is active, the cursor lies
// on the picture (`size`) and has moved since the last tick that got this far.
bool HoverMoved(TimelineState& state, bool windowActive, Point cursor, Size size);

}  // namespace qm
