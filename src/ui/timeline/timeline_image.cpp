#include "ui/timeline/timeline_image.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <new>
#include <utility>

#include "output/decimal_text.h"
#include "platform/utf.h"
#include "ui/common/dpi_scale.h"

namespace qm {
namespace {

constexpr int64_t kMaxPixels = int64_t{1} << 30;

int32_t Clamp32(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

int64_t Abs64(int32_t v) { return v < 0 ? -static_cast<int64_t>(v) : v; }
int64_t Distance(int32_t a, int32_t b) { return a < b ? int64_t{b} - a : int64_t{a} - b; }

// A record the day's block could not hold counts as starting at midnight, so searching stays safe.
uint32_t StartSecondsOf(const DayLog& day, uint32_t index) {
  const uint8_t* record = day.At(index);
  return record != nullptr ? ReadRecordHeader(record).start / 1000 : 0;
}

// The bar colours of one redraw, remembered by executable: a day has thousands of records but only
// a few dozen executables, and a colour lookup may search a map.
class BarColors {
 public:
  explicit BarColors(const ColorRules& colors) : colors_(colors) {}
  uint32_t Of(uint32_t exeKey) {
    // Keys of paths that differ in a few letters share their low bits: the slot comes from the top.
    Slot& slot = slots_[(exeKey * 0x9E3779B9u) >> (32 - kSlotBits)];
    if (!slot.known || slot.key != exeKey) slot = {exeKey, PixelOf(colors_.ColorOf(static_cast<int32_t>(exeKey))), true};
    return slot.pixel;
  }

 private:
  static constexpr int kSlotBits = 6;
  struct Slot {
    uint32_t key;
    uint32_t pixel;
    bool known;
  };
  const ColorRules& colors_;
  std::array<Slot, 1 << kSlotBits> slots_ = {};
};

// "hh:mm.ss" of a second of the day.
std::u16string ClockText(int32_t seconds) {
  char text[40];
  std::snprintf(text, sizeof text, "%02d:%02d.%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return FromUtf8(text);
}

}  // namespace

// --- DIB -------------------------------------------------------------------------------------------

DIB::~DIB() { DIB::ReleaseImage(); }

bool IsImageSize(int32_t width, int32_t height) {
  return width >= 1 && height >= 1 && static_cast<int64_t>(width) * height < kMaxPixels;
}

void DIB::SetInfo(int32_t width, int32_t height) {
  info = {};
  info.headerSize = 40;
  info.width = width;
  info.height = height;
  info.planes = 1;
  info.bitCount = 32;
  info.imageSize = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 4;
}

bool DIB::CreateImage(int32_t width, int32_t height) {
  if (!IsImageSize(width, height)) return false;
  ReleaseImage();
  heap_.reset(new (std::nothrow) uint32_t[static_cast<size_t>(width) * height]());
  if (!heap_) return false;
  bits = heap_.get();
  SetInfo(width, height);
  return true;
}

void DIB::ReleaseImage() {
  heap_.reset();
  bits = nullptr;
  info = {};
}

bool DIB::Regrow(int32_t width, int32_t height, uint32_t pixel) {
  if (width < 1 || height < 1) return false;
  if (width == Width() && height == Height()) return true;
  const int32_t oldWidth = bits != nullptr ? Width() : 0;
  const int32_t oldHeight = bits != nullptr ? Height() : 0;
  const size_t oldPixels = static_cast<size_t>(oldWidth) * oldHeight;
  // The old picture is copied aside first: a new image of a derived class may live somewhere else.
  std::unique_ptr<uint32_t[]> old(new (std::nothrow) uint32_t[oldPixels == 0 ? 1 : oldPixels]);
  if (!old) return false;
  if (oldPixels != 0) std::memcpy(old.get(), bits, oldPixels * 4);
  if (!CreateImage(width, height)) return false;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const bool kept = x < oldWidth && y < oldHeight;
      At(x, y) = kept ? old[static_cast<size_t>(oldHeight - 1 - y) * oldWidth + x] : pixel;
    }
  }
  return true;
}

// --- Pixels ----------------------------------------------------------------------------------------

uint32_t PixelOf(ColorRef color) {
  return ((color & 0xFF) << 16) | ((color >> 16) & 0xFF) | (color & 0xFF00FF00);
}

bool FillPixels(DIB& image, int32_t top, int32_t left, int32_t width, int32_t height, uint32_t pixel) {
  if (image.bits == nullptr) return false;
  const int64_t x0 = std::max<int64_t>(left, 0);
  const int64_t x1 = std::min<int64_t>(left + Abs64(width), image.Width());
  const int64_t y0 = std::max<int64_t>(top, 0);
  const int64_t y1 = std::min<int64_t>(top + Abs64(height), image.Height());
  if (x0 >= x1) return true;
  for (int64_t y = y0; y < y1; ++y) {
    uint32_t* row = &image.At(static_cast<int32_t>(x0), static_cast<int32_t>(y));
    std::fill(row, row + (x1 - x0), pixel);
  }
  return true;
}

bool DrawPixelLine(DIB& image, int32_t y0, int32_t x0, int32_t x1, int32_t y1, uint32_t pixel) {
  const int32_t w = image.Width(), h = image.Height();
  const int64_t dx = Distance(x0, x1);
  const int64_t dy = Distance(y0, y1);
  if (image.bits == nullptr || (dx == 0 && dy == 0)) return false;
  if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= w && x1 >= w) || (y0 >= h && y1 >= h)) return false;
  // Fixed point with 12 fraction bits, stepped from the upper (steep) or left (flat) end.
  if (dx < dy) {
    if (y1 > y0) {
      std::swap(x0, x1);
      std::swap(y0, y1);
    }
    const float slope = static_cast<float>(int64_t{x0} - x1) / static_cast<float>(int64_t{y0} - y1);
    float x = static_cast<float>(x1);
    int32_t y = y1;
    if (y1 < 0) {
      x += slope * static_cast<float>(-static_cast<int64_t>(y1));
      y = 0;
    }
    const int32_t last = std::min(y0, h - 1);
    int64_t pos = static_cast<int64_t>(x * 4096.0f);
    const int64_t step = static_cast<int64_t>(slope * 4096.0f);
    for (; y <= last; ++y, pos += step) {
      const int64_t column = pos >> 12;
      if (column >= 0 && column < w) image.At(static_cast<int32_t>(column), y) = pixel;
    }
  } else {
    if (x1 > x0) {
      std::swap(x0, x1);
      std::swap(y0, y1);
    }
    const float slope = static_cast<float>(int64_t{y0} - y1) / static_cast<float>(int64_t{x0} - x1);
    float y = static_cast<float>(y1);
    int32_t x = x1;
    if (x1 < 0) {
      y += slope * static_cast<float>(-static_cast<int64_t>(x1));
      x = 0;
    }
    const int32_t end = std::min(x0, w - 1);
    int64_t pos = static_cast<int64_t>(y * 4096.0f);
    const int64_t step = static_cast<int64_t>(slope * 4096.0f);
    for (; x < end; ++x, pos += step) {
      const int64_t row = pos >> 12;
      if (row >= 0 && row < h) image.At(x, static_cast<int32_t>(row)) = pixel;
    }
  }
  return true;
}

// --- The picture -----------------------------------------------------------------------------------

void DrawTimelineAxis(DIB& image) {
  const int32_t w = image.Width(), h = image.Height();
  DrawPixelLine(image, h / 2, 0, w, h / 2, kScalePixel);
  for (int32_t i = 0; i <= 24; ++i) {
    const int32_t x = Clamp32((static_cast<int64_t>(i) * w - 1) / 24);
    const int32_t top = i % 12 == 0 ? 0 : (i == 6 || i == 18) ? h / 8 : h / 4;
    DrawPixelLine(image, h / 2, x, x, top, kScalePixel);
  }
}

void DrawDayBars(DIB& image, const TimelineScene& scene) {
  const int32_t w = image.Width(), band = image.Height() / 2;
  if (image.bits == nullptr || band == 0) return;
  // Every bar spans the whole upper band, so the bars go into its top row, which is then copied
  // down: the same picture for a fraction of the writes.
  BarColors colors(scene.colors);
  for (uint32_t row = 0; row < scene.list.RowCount(); ++row) {
    const uint8_t* record = scene.list.RecordOfRow(row);
    if (record == nullptr) continue;
    const ActivityRecord header = ReadRecordHeader(record);
    const int64_t x = static_cast<int64_t>(header.start / 1000) * w / kSecondsPerDay;
    const int64_t width = std::max<int64_t>(static_cast<int64_t>(header.duration / 1000) * w / kSecondsPerDay, 1);
    FillPixels(image, 0, Clamp32(x), Clamp32(width), 1, colors.Of(header.exeKey));
  }
  const uint32_t* top = &image.At(0, 0);
  for (int32_t y = 1; y < band; ++y) std::memcpy(&image.At(0, y), top, static_cast<size_t>(w) * 4);
}

void DrawZoomHour(DIB& image, const TimelineScene& scene, Point mouse, TimelineState& state,
                  HourTextPainter& text) {
  const DayLog* day = scene.list.Source();
  if (day == nullptr) return;
  if (!state.zoomCentre) state.zoomCentre = mouse;
  if (IsNoPoint(mouse)) {
    mouse = *state.zoomCentre;
  } else {
    state.zoomCentre = mouse;
  }
  if (image.bits == nullptr) return;
  const int32_t w = image.Width(), h = image.Height();
  const int64_t centre = SecondsAtX(mouse.x, w);
  const int64_t s0 = centre - kZoomSeconds / 2;

  const int32_t count = static_cast<int32_t>(day->Count());
  if (count > 0) {
    const int32_t first = std::max(FindRecordAt(*day, static_cast<uint32_t>(std::max<int64_t>(s0, 0))), 0);
    const uint32_t end = static_cast<uint32_t>(std::min<int64_t>(centre + kZoomSeconds / 2, kSecondsPerDay - 1));
    const int32_t last = std::min(FindRecordAt(*day, end), count - 1);
    BarColors colors(scene.colors);
    for (int32_t i = first; i <= last; ++i) {
      const uint8_t* record = day->At(static_cast<uint32_t>(i));
      if (record == nullptr) continue;
      const ActivityRecord header = ReadRecordHeader(record);
      const int64_t x = (static_cast<int64_t>(header.start / 1000) - s0) * w / kZoomSeconds;
      const int64_t width = static_cast<int64_t>(header.duration / 1000) * w / kZoomSeconds;
      FillPixels(image, h / 2, Clamp32(x), Clamp32(width), h / 2, colors.Of(header.exeKey));
    }
  }

  // The minute scale: every minute an eighth of the height, every five a quarter, every half hour
  // three eighths, every full hour to the bottom edge with its number.
  const TimelineMetrics metrics = TimelineMetricsAt(scene.dpi);
  int64_t t = (s0 / 60) * 60 + 60;
  for (int i = 0; i < 60; ++i, t += 60) {
    const int32_t x = Clamp32(static_cast<int64_t>(w) * (t - s0) / kZoomSeconds);
    const int32_t bottom = t % 3600 == 0 ? h : t % 1800 == 0 ? 7 * h / 8 : t % 300 == 0 ? 6 * h / 8 : 5 * h / 8;
    DrawPixelLine(image, bottom, x, x, h / 2, kScalePixel);
    if (t % 3600 == 0 && t / 3600 >= 0) {
      const DecimalText hour(static_cast<uint64_t>(t / 3600));
      text.DrawText(x + metrics.hourTextLeft, h - metrics.hourTextRise, hour.View());
    }
  }
}

void RenderTimeline(DIB& image, const TimelineScene& scene, Point mouse, Point mark, TimelineState& state,
                    HourTextPainter& text) {
  const int32_t w = image.Width(), h = image.Height();
  FillPixels(image, 0, 0, w, h, kBackgroundPixel);
  DrawDayBars(image, scene);
  DrawZoomHour(image, scene, mouse, state, text);
  DrawTimelineAxis(image);
  DrawPixelLine(image, h / 2, mouse.x, mouse.x, 0, kMousePixel);
  if (mark.x != -1 && mark.y != -1) {
    const int32_t band = TimelineMetricsAt(scene.dpi).dragBandHeight;
    FillPixels(image, h / 2 - band / 2, std::min(mark.x, mouse.x), Clamp32(Distance(mark.x, mouse.x)), band,
               kMousePixel);
  }
}

TimelineMetrics TimelineMetricsAt(uint32_t dpi) {
  return {ToDpi(12, dpi), ToDpi(1, dpi), ToDpi(12, dpi), ToDpi(2, dpi)};
}

// --- Times and records under the mouse ---------------------------------------------------------------

int32_t FindRecordAt(const DayLog& day, uint32_t seconds) {
  if (day.Count() == 0) return -1;
  int64_t lo = 0, hi = static_cast<int64_t>(day.Count()) - 1, mid = 0;
  uint32_t key = 0;
  while (lo <= hi) {
    mid = (lo + hi) / 2;
    key = StartSecondsOf(day, static_cast<uint32_t>(mid));
    if (key == seconds) return static_cast<int32_t>(mid);
    if (key < seconds) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  return static_cast<int32_t>(mid > 0 && key > seconds ? mid - 1 : mid);
}

int32_t SecondsAtX(int32_t x, int32_t width) {
  if (width <= 0) return 0;
  const int64_t seconds = static_cast<int64_t>(x) * kSecondsPerDay / width;
  return static_cast<int32_t>(std::clamp<int64_t>(seconds, 0, kSecondsPerDay - 1));
}

std::u16string HoverText(int32_t seconds) { return ClockText(seconds) + u"\n"; }

std::u16string DragText(int32_t anchorSeconds, int32_t seconds) {
  const bool anchorFirst = static_cast<uint32_t>(anchorSeconds) <= static_cast<uint32_t>(seconds);
  const int32_t lo = anchorFirst ? anchorSeconds : seconds;
  const int32_t hi = anchorFirst ? seconds : anchorSeconds;
  return ClockText(lo) + u" -> " + ClockText(hi) + u"\n";
}

std::optional<RecordRange> DraggedRecords(const DayLog& day, int32_t anchorSeconds, int32_t seconds) {
  const int32_t a = FindRecordAt(day, static_cast<uint32_t>(anchorSeconds));
  const int32_t b = FindRecordAt(day, static_cast<uint32_t>(seconds));
  if (a < 0 || b < 0) return std::nullopt;
  return RecordRange{static_cast<uint32_t>(std::min(a, b)), static_cast<uint32_t>(std::max(a, b))};
}

bool HoverMoved(TimelineState& state, bool windowActive, Point cursor, Size size) {
  if (!windowActive) return false;
  if (cursor.x < 0 || cursor.y < 0 || cursor.x >= size.width || cursor.y >= size.height) return false;
  if (cursor.x == state.lastHoverPoint.x && cursor.y == state.lastHoverPoint.y) return false;
  state.lastHoverPoint = cursor;
  return true;
}

}  // namespace qm
