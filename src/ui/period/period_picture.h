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

inline constexpr int32_t kPeriodLabelWidth = 64;  // "3/7 (月)"
inline constexpr int32_t kPeriodTotalWidth = 48;  // "7:42"
inline constexpr int32_t kPeriodAxisHeight = 16;  // the hour numbers
inline constexpr int32_t kPeriodMaxPitch = 48;
inline constexpr int32_t kPeriodGap = 3;          // rows between strips

inline constexpr uint32_t kTrackPixel = 0x00F2F2F2;     // a strip where nothing was recorded
inline constexpr uint32_t kSaturdayPixel = 0x00E8EEFA;
inline constexpr uint32_t kSundayPixel = 0x00FAE8E8;
inline constexpr uint32_t kHourGridPixel = 0x00D8D8D8;
inline constexpr uint32_t kQuarterGridPixel = 0x00909090;  // 0, 6, 12, 18 and 24 o'clock

struct PeriodLayout {
  int32_t left = 0;   // the strips' first column
  int32_t right = 0;  // one past their last
  int32_t top = kPeriodAxisHeight;
  int32_t pitch = 0;  // rows from one strip's top to the next
  int32_t barHeight = 0;
  int32_t days = 0;
  int32_t Width() const { return right - left; }
  int32_t StripTop(int32_t day) const { return top + day * pitch; }
  // The strip column of a second of the day.
  int32_t XOfSeconds(int64_t seconds) const { return left + static_cast<int32_t>(seconds * Width() / kSecondsPerDay); }
};

PeriodLayout LayoutPeriodPicture(int32_t width, int32_t height, const DateRange& range);

// The day and second under a point of the picture; nothing between or beside the strips.
struct PeriodHit {
  CalendarDate date;
  int32_t seconds = 0;
};
std::optional<PeriodHit> HitPeriodPicture(const PeriodLayout& layout, const DateRange& range, Point p);

// Everything: background, axis, strips with their bars and texts, and the red mouse line across the
// strips at `mouse` (none for kNoPoint). The days need their minutes (AggregatePeriod withMinutes).
void RenderPeriodPicture(DIB& image, const PeriodUsage& period, const ColorRules& colors, Point mouse,
                         HourTextPainter& text);

// "3/7 (月)".
std::u16string DayLabelText(const CalendarDate& date);
// "7:42": hours and minutes of a day's recorded time.
std::u16string DayTotalText(uint64_t ms);
// "2016/3/7 (月) 12:00.05 "title" - "path"", the record part left out when no record covers the time.
std::u16string PeriodHoverText(const PeriodHit& hit, std::u16string_view title, std::u16string_view path, bool covered);

}  // namespace qm
