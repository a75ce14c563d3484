// The period windows' portable logic: the periods and their steps, the picture of a small week pixel
// by pixel with its texts and hit test, and the job that totals a period on a thread of its own.
#include <gtest/gtest.h>

#include <condition_variable>
#include <tuple>
#include <vector>

#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "support/real_env.h"
#include "ui/period/period_job.h"
#include "ui/period/period_picture.h"
#include "ui/period/period_steps.h"

namespace qm {
namespace {

CalendarDate D(int y, int m, int d) {
  return {static_cast<uint16_t>(y), static_cast<uint16_t>(m), static_cast<uint16_t>(d)};
}

TEST(PeriodSteps, RangesStepAcrossMonthAndYearEnds) {
  EXPECT_EQ(PeriodRange(UsagePeriod::Day, D(2016, 3, 5)), (DateRange{D(2016, 3, 5), D(2016, 3, 5)}));
  EXPECT_EQ(PeriodRange(UsagePeriod::Week, D(2016, 3, 5)), (DateRange{D(2016, 2, 29), D(2016, 3, 6)}));
  EXPECT_EQ(PeriodRange(UsagePeriod::Month, D(2016, 2, 10)), (DateRange{D(2016, 2, 1), D(2016, 2, 29)}));
  // {period, from, forward, to}
  const std::tuple<UsagePeriod, CalendarDate, bool, CalendarDate> steps[] = {
      {UsagePeriod::Day, D(2016, 12, 31), true, D(2017, 1, 1)},
      {UsagePeriod::Week, D(2016, 12, 28), true, D(2017, 1, 4)},
      {UsagePeriod::Week, D(2016, 3, 2), false, D(2016, 2, 24)},
      {UsagePeriod::Month, D(2016, 1, 31), true, D(2016, 2, 1)},
      {UsagePeriod::Month, D(2016, 1, 31), false, D(2015, 12, 1)},
      {UsagePeriod::Month, D(2016, 12, 15), true, D(2017, 1, 1)}};
  for (const auto& [period, from, forward, to] : steps) EXPECT_EQ(StepPeriod(period, from, forward), to);
  EXPECT_EQ(RangeCaptionText(WeekOf(D(2016, 3, 7))), u"2016/3/7 - 2016/3/13");
  EXPECT_EQ(RangeCaptionText({D(2016, 3, 7), D(2016, 3, 7)}), u"2016/3/7");
}

class RecordingPainter : public HourTextPainter {
 public:
  void DrawText(int32_t x, int32_t y, std::u16string_view text) override { calls.emplace_back(x, y, text); }
  bool Drew(std::u16string_view text) const {
    return std::any_of(calls.begin(), calls.end(), [&](const auto& c) { return std::get<2>(c) == text; });
  }
  std::vector<std::tuple<int32_t, int32_t, std::u16string>> calls;
};

// A week 240 pixels wide (10 per hour) with strips 20 rows apart, 17 high: on Tuesday one program
// from 12:00 for half an hour.
TEST(PeriodPicture, SmallWeekPixelsTextsAndHits) {
  constexpr int32_t kWidth = 64 + 240 + 48, kHeight = 16 + 7 * 20;  // labels, strips, totals; axis, strips
  PeriodUsage week;
  week.range = WeekOf(D(2016, 3, 8));
  DayTotals& tuesday = week.days.emplace_back();
  tuesday.date = D(2016, 3, 8);
  tuesday.recorded = 30 * 60'000;
  tuesday.minutes.resize(kMinutesPerDay);
  for (uint32_t m = 720; m < 750; ++m) tuesday.minutes[m] = {60'000, 60'000, 7};
  ColorRules colors;
  const uint32_t bar = PixelOf(colors.ColorOf(7));
  ASSERT_NE(bar, kTrackPixel);
  DIB image;
  ASSERT_TRUE(image.CreateImage(kWidth, kHeight));
  RecordingPainter text;
  RenderPeriodPicture(image, week, colors, {200, 100}, 96, text);

  const PeriodLayout l = LayoutPeriodPicture(kWidth, kHeight, week.range, 96);
  ASSERT_EQ(std::tuple(l.left, l.right, l.pitch, l.barHeight), std::tuple(64, 304, 20, 17));
  const int32_t tue = l.StripTop(1);
  // {x, y, pixel}
  const std::tuple<int32_t, int32_t, uint32_t> pixels[] = {
      {184, tue, bar}, {188, tue + 16, bar},             // 12:00 to 12:30: columns 184 to 188, all rows
      {183, tue, kTrackPixel}, {189, tue + 8, kTrackPixel},
      {186, tue + 17, kBackgroundPixel},                 // the gap below the strip
      {74, l.StripTop(0), kHourGridPixel}, {124, l.StripTop(6) + 5, kQuarterGridPixel},
      {100, l.StripTop(5), kSaturdayPixel}, {100, l.StripTop(6) + 16, kSundayPixel},
      {200, l.top, kMousePixel}, {200, kHeight - 1, kMousePixel}, {200, 3, kBackgroundPixel},
      {30, tue + 5, kBackgroundPixel}, {kWidth - 1, tue, kBackgroundPixel}, {304, tue + 8, kBackgroundPixel}};
  for (const auto& [x, y, pixel] : pixels) EXPECT_EQ(image.At(x, y), pixel) << x << "," << y;
  EXPECT_TRUE(text.Drew(u"3/8 (火)") && text.Drew(u"3/13 (日)") && text.Drew(u"0:30") && text.Drew(u"24"));
  EXPECT_EQ(std::count_if(text.calls.begin(), text.calls.end(), [](const auto& c) { return std::get<0>(c) > 304; }), 1);

  const std::optional<PeriodHit> hit = HitPeriodPicture(l, week.range, {186, tue + 3});
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->date, D(2016, 3, 8));
  EXPECT_EQ(hit->seconds, 122 * 86'400 / 240);
  EXPECT_EQ(HitPeriodPicture(l, week.range, {64, l.top})->seconds, 0);  // the first column and row count
  EXPECT_EQ(HitPeriodPicture(l, week.range, {64, l.top})->date, D(2016, 3, 7));
  for (const Point miss : {Point{186, tue + 17}, Point{63, tue}, Point{304, tue}, Point{186, 10}, Point{186, kHeight}})
    EXPECT_FALSE(HitPeriodPicture(l, week.range, miss)) << miss.x << "," << miss.y;
  EXPECT_EQ(PeriodHoverText(*hit, u"Noon", u"C:\\a.exe", true), u"2016/3/8 (火) 12:12.00 \"Noon\" - \"C:\\a.exe\"");
  EXPECT_EQ(PeriodHoverText(*hit, u"Noon", u"C:\\a.exe", false), u"2016/3/8 (火) 12:12.00");
}

// At 144 DPI every length of the picture is half as large again, rounded as the system rounds: the
// same week in an image 1.5 times as large keeps its strips, ticks and texts where they were, scaled.
// English day labels take more room.
TEST(PeriodPicture, WeekAt144DpiScaledToDevicePixels) {
  constexpr int32_t kWidth = 96 + 360 + 72, kHeight = 24 + 7 * 30;
  PeriodUsage week;
  week.range = WeekOf(D(2016, 3, 8));
  DayTotals& tuesday = week.days.emplace_back();
  tuesday.date = D(2016, 3, 8);
  tuesday.recorded = 30 * 60'000;
  ColorRules colors;
  DIB image;
  ASSERT_TRUE(image.CreateImage(kWidth, kHeight));
  RecordingPainter text;
  RenderPeriodPicture(image, week, colors, kNoPoint, 144, text);
  const PeriodLayout l = LayoutPeriodPicture(kWidth, kHeight, week.range, 144);
  EXPECT_EQ(std::tuple(l.left, l.right, l.top, l.pitch, l.barHeight), std::tuple(96, 456, 24, 30, 25));
  const PeriodMetrics& m = l.metrics;
  EXPECT_EQ(std::tuple(m.textHeight, m.longTick, m.shortTick, m.numberRoom), std::tuple(18, 8, 5, 33));
  // The 6 o'clock tick is 8 rows above the strips, the 1 o'clock tick 5; the 1 o'clock strip column.
  const int32_t x6 = l.XOfSeconds(6 * 3600), x1 = l.XOfSeconds(3600);
  EXPECT_EQ(std::tuple(x6, x1), std::tuple(186, 111));
  const std::tuple<int32_t, int32_t, uint32_t> pixels[] = {{x6, 24 - 9, kScalePixel},
                                                           {x6, 24 - 10, kBackgroundPixel},
                                                           {x1, 24 - 6, kScalePixel},
                                                           {x1, 24 - 7, kBackgroundPixel},
                                                           {x6, l.StripTop(1) + 24, kQuarterGridPixel},
                                                           {x6, l.StripTop(1) + 25, kBackgroundPixel}};
  for (const auto& [x, y, pixel] : pixels) EXPECT_EQ(image.At(x, y), pixel) << x << "," << y;
  // Labels 6 from the left edge, centred on their strips; the time 9 right of the strips; "6" centred
  // on its tick.
  const int32_t textTop = l.StripTop(1) + (25 - 18) / 2;
  using Call = std::tuple<int32_t, int32_t, std::u16string>;
  for (const Call& call : {Call{6, textTop, u"3/8 (火)"}, Call{456 + 9, textTop, u"0:30"}, Call{x6 - 5, 0, u"6"}}) {
    EXPECT_NE(std::find(text.calls.begin(), text.calls.end(), call), text.calls.end()) << ToUtf8(std::get<2>(call));
  }
  SetLanguage(Language::English);
  EXPECT_EQ(DayLabelText(D(2016, 12, 28)), u"12/28 (Wed)");
  EXPECT_EQ(LayoutPeriodPicture(kWidth, kHeight, week.range, 144).left, 120);
  SetLanguage(Language::Japanese);
}

// The job reads the files on its own thread; the day in memory stands for its date's file, which is
// older; the result is handed over once.
TEST(PeriodJob, TotalsOffTheCallersThreadWithTheDayInMemory) {
  test::TempFolder folder;
  Env& env = DefaultEnv();
  StringPool pool;
  DayLog saved, recording;
  const auto key = static_cast<uint32_t>(pool.Intern(u"a.exe", UserCurrentDay));
  saved.Append({0, 1000, 5000, key}, u"saved");
  ASSERT_TRUE(WriteDayLogFile(env, folder.Child(u"20160307.bin2"), pool, saved));
  ASSERT_TRUE(WriteDayLogFile(env, folder.Child(u"20160308.bin2"), pool, saved));
  recording.Append({0, 1000, 5000, key}, u"saved");
  recording.Append({0, 9000, 2000, key}, u"since the save");

  std::mutex mutex;
  std::condition_variable ready;
  bool done = false;
  PeriodJob job;
  const DayInMemory today{D(2016, 3, 8), &recording, &pool};
  job.Start(env, {folder.path().u16string()}, WeekOf(D(2016, 3, 8)), &today,
            [&] {
              std::lock_guard<std::mutex> lock(mutex);
              done = true;
              ready.notify_one();
            },
            true);
  recording.Clear();  // copied at the start: what happens to it later does not count
  std::unique_lock<std::mutex> lock(mutex);
  ASSERT_TRUE(ready.wait_for(lock, std::chrono::seconds(10), [&] { return done; }));
  const std::unique_ptr<PeriodUsage> result = job.Take();
  ASSERT_TRUE(result);
  EXPECT_FALSE(job.Take());
  ASSERT_EQ(result->days.size(), 2u);
  EXPECT_EQ(result->days[1].recorded, 7000u);
  EXPECT_EQ(result->usage.grandTotal, 12'000u);
  EXPECT_EQ(result->paths.at(static_cast<int32_t>(key)), u"a.exe");
  EXPECT_EQ(result->days[1].minutes[0].recorded, 7000u);
}

}  // namespace
}  // namespace qm
