#include "ui/period/period_picture.h"

#include <algorithm>
#include <cstdio>

#include "platform/utf.h"
#include "ui/common/dpi_scale.h"
#include "ui/period/period_texts.h"

namespace qm {
namespace {

uint32_t TrackPixelOf(const CalendarDate& date) {
  const int weekday = DayOfWeek(date);
  return weekday == 6 ? kSaturdayPixel : weekday == 0 ? kSundayPixel : kTrackPixel;
}

// Every hour where there is room for the numbers, else every third or sixth.
int32_t HourNumberStep(int32_t width, int32_t room) { return width >= 24 * room ? 1 : width >= 8 * room ? 3 : 6; }

void DrawAxis(DIB& image, const PeriodLayout& l, HourTextPainter& text) {
  const PeriodMetrics& m = l.metrics;
  const int32_t step = HourNumberStep(l.Width(), m.numberRoom);
  for (int32_t hour = 0; hour <= 24; ++hour) {
    const int32_t x = std::min(l.XOfSeconds(hour * 3600), l.right - 1);
    const int32_t length = hour % 6 == 0 ? m.longTick : m.shortTick;
    FillPixels(image, l.top - length - 1, x, 1, length, kScalePixel);
    if (hour % step != 0) continue;
    const std::u16string number = FromUtf8(std::to_string(hour));
    text.DrawText(x - m.digitHalf * static_cast<int32_t>(number.size()), 0, number);
  }
}

// The strip's track with its hour grid, then the bars minute by minute.
void DrawStrip(DIB& image, const PeriodLayout& l, int32_t top, const CalendarDate& date, const DayTotals* day,
               const ColorRules& colors) {
  FillPixels(image, top, l.left, l.Width(), l.barHeight, TrackPixelOf(date));
  for (int32_t hour = 1; hour < 24; ++hour) {
    FillPixels(image, top, l.XOfSeconds(hour * 3600), 1, l.barHeight, hour % 6 == 0 ? kQuarterGridPixel : kHourGridPixel);
  }
  if (day == nullptr) return;
  for (uint32_t m = 0; m < day->minutes.size(); ++m) {
    const MinuteTotals& cell = day->minutes[m];
    if (cell.recorded == 0) continue;
    const int32_t x0 = l.XOfSeconds(m * 60), x1 = l.XOfSeconds((m + 1) * 60);
    FillPixels(image, top, x0, std::max(1, x1 - x0), l.barHeight, PixelOf(colors.ColorOf(cell.exe)));
  }
}

}  // namespace

PeriodMetrics PeriodMetricsAt(uint32_t dpi) {
  const int32_t labelWidth = CurrentLanguage() == Language::English ? 80 : 64;
  return {ToDpi(labelWidth, dpi), ToDpi(48, dpi), ToDpi(16, dpi), ToDpi(48, dpi), ToDpi(3, dpi), ToDpi(12, dpi),
          ToDpi(5, dpi),          ToDpi(3, dpi),  ToDpi(22, dpi), ToDpi(3, dpi),  ToDpi(4, dpi), ToDpi(6, dpi)};
}

PeriodLayout LayoutPeriodPicture(int32_t width, int32_t height, const DateRange& range, uint32_t dpi) {
  PeriodLayout l;
  l.metrics = PeriodMetricsAt(dpi);
  const PeriodMetrics& m = l.metrics;
  l.days = static_cast<int32_t>(std::clamp<int64_t>(DaysIn(range), 1, 366));
  l.left = m.labelWidth;
  l.right = std::max(l.left + 1, width - m.totalWidth);
  l.top = m.axisHeight;
  l.pitch = std::clamp((height - l.top) / l.days, 1, m.maxPitch);
  l.barHeight = l.pitch > 2 * m.gap ? l.pitch - m.gap : std::max(1, l.pitch - 1);
  return l;
}

std::optional<PeriodHit> HitPeriodPicture(const PeriodLayout& l, const DateRange& range, Point p) {
  if (p.x < l.left || p.x >= l.right || p.y < l.top || l.pitch <= 0) return std::nullopt;
  const int32_t day = (p.y - l.top) / l.pitch;
  if (day >= l.days || (p.y - l.top) % l.pitch >= l.barHeight) return std::nullopt;
  const int32_t seconds = static_cast<int32_t>(int64_t{p.x - l.left} * kSecondsPerDay / l.Width());
  return PeriodHit{AddDays(range.first, day), seconds};
}

void RenderPeriodPicture(DIB& image, const PeriodUsage& period, const ColorRules& colors, Point mouse, uint32_t dpi,
                         HourTextPainter& text) {
  if (image.bits == nullptr) return;
  const PeriodLayout l = LayoutPeriodPicture(image.Width(), image.Height(), period.range, dpi);
  const PeriodMetrics& m = l.metrics;
  FillPixels(image, 0, 0, image.Width(), image.Height(), kBackgroundPixel);
  DrawAxis(image, l, text);
  auto day = period.days.begin();
  for (int32_t i = 0; i < l.days; ++i) {
    const CalendarDate date = AddDays(period.range.first, i);
    while (day != period.days.end() && day->date < date) ++day;
    const DayTotals* totals = day != period.days.end() && day->date == date ? &*day : nullptr;
    const int32_t top = l.StripTop(i);
    DrawStrip(image, l, top, date, totals, colors);
    if (l.pitch < m.textHeight - 2) continue;  // no room for the texts of a whole year
    const int32_t textTop = top + (l.barHeight - m.textHeight) / 2;
    text.DrawText(m.labelLeft, textTop, DayLabelText(date));
    if (totals != nullptr) text.DrawText(l.right + m.totalLeft, textTop, DayTotalText(totals->recorded));
  }
  if (mouse.x >= l.left && mouse.x < l.right) FillPixels(image, l.top, mouse.x, 1, l.days * l.pitch, kMousePixel);
}

std::u16string DayLabelText(const CalendarDate& date) {
  char text[32];
  std::snprintf(text, sizeof text, "%d/%d ", date.month, date.day);
  return FromUtf8(text) + Tr(kWeekdayTexts[DayOfWeek(date)]);
}

std::u16string DayTotalText(uint64_t ms) {
  char text[32];
  std::snprintf(text, sizeof text, "%llu:%02llu", static_cast<unsigned long long>(ms / 3'600'000),
                static_cast<unsigned long long>(ms / 60'000 % 60));
  return FromUtf8(text);
}

std::u16string PeriodHoverText(const PeriodHit& hit, std::u16string_view title, std::u16string_view path, bool covered) {
  char text[64];
  std::snprintf(text, sizeof text, "%d/%d/%d ", hit.date.year, hit.date.month, hit.date.day);
  std::u16string line = FromUtf8(text) + Tr(kWeekdayTexts[DayOfWeek(hit.date)]) + u" ";
  std::snprintf(text, sizeof text, "%02d:%02d.%02d", hit.seconds / 3600, hit.seconds / 60 % 60, hit.seconds % 60);
  line += FromUtf8(text);
  if (covered) line += u" \"" + std::u16string(title) + u"\" - \"" + std::u16string(path) + u"\"";
  return line;
}

}  // namespace qm
