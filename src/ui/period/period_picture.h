// The picture of a period: one timeline strip per day of the range under an hour axis, the bars in
// the main timeline's colours, each day's label on the left and its recorded time on the right.
// Drawn pixel by pixel into a DIB like the main timeline; no window here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "color/color_rules.h"
#include "output/period_usage.h"
#include "ui/timeline/timeline_image.h"

namespace qm {

inline constexpr uint32_t kTrackPixel = 0x00F2F2F2;     // a strip where nothing was recorded
inline constexpr uint32_t kSaturdayPixel = 0x00E8EEFA;
inline constexpr uint32_t kSundayPixel = 0x00FAE8E8;
inline constexpr uint32_t kHourGridPixel = 0x00D8D8D8;
inline constexpr uint32_t kQuarterGridPixel = 0x00909090;  // 0, 6, 12, 18 and 24 o'clock

// The picture's sizes in device pixels, designed at 96 DPI and scaled, so that nothing is stretched on
// a high-DPI monitor. The day labels are wider in English ("12/31 (Wed)" against "12/31 (水)").
struct PeriodMetrics {
  int32_t labelWidth;  // the day labels left of the strips: 64 at 96 DPI, 80 in English
  int32_t totalWidth;  // the recorded times right of them, "7:42": 48
  int32_t axisHeight;  // the hour numbers and ticks above the strips: 16
  int32_t maxPitch;    // from one strip's top to the next at most: 48
  int32_t gap;         // rows between strips: 3
  int32_t textHeight;  // the font of the labels, times and hour numbers: 12
  int32_t longTick;    // at 0, 6, 12, 18 and 24 o'clock: 5
  int32_t shortTick;   // at the other hours: 3
  int32_t numberRoom;  // the width an hour's number needs: 22
  int32_t digitHalf;   // half a digit, to centre an hour's number on its tick: 3
  int32_t labelLeft;   // from the left edge to a day's label: 4
  int32_t totalLeft;   // from the strips' end to a day's recorded time: 6
};
// At `dpi`, for the current language's labels.
PeriodMetrics PeriodMetricsAt(uint32_t dpi);

struct PeriodLayout {
  PeriodMetrics metrics;
  int32_t left = 0;   // the strips' first column
  int32_t right = 0;  // one past their last
  int32_t top = 0;
  int32_t pitch = 0;  // rows from one strip's top to the next
  int32_t barHeight = 0;
  int32_t days = 0;
  int32_t Width() const { return right - left; }
  int32_t StripTop(int32_t day) const { return top + day * pitch; }
  // The strip column of a second of the day.
  int32_t XOfSeconds(int64_t seconds) const { return left + static_cast<int32_t>(seconds * Width() / kSecondsPerDay); }
};

PeriodLayout LayoutPeriodPicture(int32_t width, int32_t height, const DateRange& range, uint32_t dpi);

// The day and second under a point of the picture; nothing between or beside the strips.
struct PeriodHit {
  CalendarDate date;
  int32_t seconds = 0;
};
std::optional<PeriodHit> HitPeriodPicture(const PeriodLayout& layout, const DateRange& range, Point p);

// Everything at `dpi`: background, axis, strips with their bars and texts, and the red mouse line
// across the strips at `mouse` (none for kNoPoint). The days need their minutes (AggregatePeriod
// withMinutes). The painter's font is metrics.textHeight high.
void RenderPeriodPicture(DIB& image, const PeriodUsage& period, const ColorRules& colors, Point mouse, uint32_t dpi,
                         HourTextPainter& text);

// "3/7 (月)", "3/7 (Mon)".
std::u16string DayLabelText(const CalendarDate& date);
// "7:42": hours and minutes of a day's recorded time.
std::u16string DayTotalText(uint64_t ms);
// "2016/3/7 (月) 12:00.05 "title" - "path"", the record part left out when no record covers the time.
std::u16string PeriodHoverText(const PeriodHit& hit, std::u16string_view title, std::u16string_view path, bool covered);

}  // namespace qm
