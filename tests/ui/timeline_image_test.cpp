// The timeline picture, pixel for pixel, on a 1,440 x 80 image: one column per minute of the day
// in the upper half and 2.5 s per column in the magnifier below.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "ui/timeline_image.h"

namespace qm {
namespace {

constexpr int32_t kW = 1440, kH = 80;
constexpr uint32_t kWhite = kBackgroundPixel, kScale = kScalePixel, kRed = kMousePixel;

uint32_t Ms(int h, int m) { return (h * 60 + m) * 60'000u; }

using Texts = std::vector<std::tuple<int32_t, int32_t, std::u16string>>;
struct Recorder : HourTextPainter {
  void DrawText(int32_t x, int32_t y, std::u16string_view text) override { calls.emplace_back(x, y, text); }
  Texts calls;
};

// A row as runs of equal pixels: {first column, last column, pixel}.
using Runs = std::vector<std::tuple<int32_t, int32_t, uint32_t>>;
Runs RowRuns(DIB& image, int32_t y) {
  Runs runs;
  for (int32_t x = 0; x < image.Width(); ++x) {
    if (runs.empty() || std::get<2>(runs.back()) != image.At(x, y)) runs.emplace_back(x, x, image.At(x, y));
    std::get<1>(runs.back()) = x;
  }
  return runs;
}

// The columns of row y that hold `pixel`.
std::vector<int32_t> Columns(DIB& image, int32_t y, uint32_t pixel) {
  std::vector<int32_t> columns;
  for (int32_t x = 0; x < image.Width(); ++x) {
    if (image.At(x, y) == pixel) columns.push_back(x);
  }
  return columns;
}

std::vector<int32_t> Every(int32_t first, int32_t step, int32_t last) {
  std::vector<int32_t> columns;
  for (int32_t x = first; x <= last; x += step) columns.push_back(x);
  return columns;
}

class Timeline : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(image.CreateImage(kW, kH));
    list.Rebuild(day);
  }
  void Add(uint32_t start, uint32_t duration, uint32_t exeKey) {
    ASSERT_TRUE(day.Append({0, start, duration, exeKey}, u"t"));
    list.AppendNew();
  }
  uint32_t Bar(uint32_t exeKey) const { return PixelOf(colors.ColorOf(static_cast<int32_t>(exeKey))); }
  void Render(Point mouse, Point mark = kNoPoint) {
    text.calls.clear();
    RenderTimeline(image, {list, colors}, mouse, mark, state, text);
  }

  DIB image;
  DayLog day;
  ListModel list;
  ColorRules colors;
  TimelineState state;
  Recorder text;
};

TEST_F(Timeline, DayBarsTicksAndMiddleLine) {
  Add(Ms(12, 0), Ms(0, 30), 1);
  Add(Ms(8, 0), 10'000, 2);  // 10 s: raised to one column
  Add(Ms(18, 0), 10'000, 56);  // remembered in the same colour slot as key 1, with a colour of its own
  Render(kNoPoint);
  EXPECT_EQ(RowRuns(image, 0), (Runs{{0, 0, kScale}, {1, 479, kWhite}, {480, 480, Bar(2)}, {481, 718, kWhite},
                                    {719, 719, kScale}, {720, 749, Bar(1)}, {750, 1079, kWhite}, {1080, 1080, Bar(56)},
                                    {1081, 1438, kWhite}, {1439, 1439, kScale}}));
  std::vector<int32_t> hours = Every(59, 60, 1439);
  hours.insert(hours.begin(), 0);
  EXPECT_EQ(Columns(image, kH / 2 - 1, kScale), hours);
  EXPECT_EQ(Columns(image, kH / 2 - 1, Bar(1)), Every(720, 1, 749));
  EXPECT_EQ(Columns(image, kH / 2, kScale).size(), size_t{kW});
  // Six and eighteen o'clock reach an eighth of the height, the other hours a quarter.
  EXPECT_EQ(Columns(image, kH / 8, kScale), (std::vector<int32_t>{0, 359, 719, 1079, 1439}));
  EXPECT_EQ(Columns(image, kH / 4 - 1, kScale), Columns(image, kH / 8, kScale));
  EXPECT_EQ(Columns(image, kH / 4, kScale), hours);
}

TEST_F(Timeline, MagnifierSpansTheHourAroundTheMouseAndStaysWhenItLeaves) {
  Add(Ms(11, 0), Ms(0, 10), 2);  // ends before the magnifier's hour
  Add(Ms(12, 0), Ms(0, 30), 1);
  Render({720, 5});  // 12:00: the magnifier shows 11:30 to 12:30
  const Runs bottom = RowRuns(image, kH - 1);
  EXPECT_EQ(bottom, (Runs{{0, 719, kWhite}, {720, 720, kScale}, {721, 1439, Bar(1)}}));
  EXPECT_EQ(Columns(image, 6 * kH / 8, kScale), Every(120, 120, 1320));  // five minutes
  EXPECT_EQ(Columns(image, 7 * kH / 8, kScale), (std::vector<int32_t>{720}));  // half hours
  EXPECT_EQ(text.calls, (Texts{{721, kH - 12, u"12"}}));
  // The mouse line runs down to the middle line only.
  for (int32_t y : {0, kH / 2}) EXPECT_EQ(Columns(image, y, kRed), (std::vector<int32_t>{720}));
  EXPECT_TRUE(Columns(image, kH / 2 + 1, kRed).empty());

  Render(kNoPoint);  // the mouse left the picture
  EXPECT_EQ(RowRuns(image, kH - 1), bottom);
  EXPECT_TRUE(Columns(image, 0, kRed).empty());
}

TEST_F(Timeline, MagnifierNearMidnightFindsTheFirstRecordsAndHourZero) {
  Add(Ms(0, 5), Ms(0, 10), 1);
  Add(Ms(6, 0), Ms(0, 30), 2);
  Render({10, 0});  // 00:10: from 23:40 of the day before
  EXPECT_EQ(Columns(image, kH - 1, Bar(1)), Every(600, 1, 839));
  EXPECT_EQ(text.calls, (Texts{{481, kH - 12, u"0"}}));
}

TEST_F(Timeline, DragBandRunsFromMarkToMouseAcrossTheMiddleLine) {
  // 01:00 to 02:00 either way round; the mouse line at 02:00 adds a column to the first.
  for (const auto& [mark, mouse, last] : {std::tuple{60, 120, 120}, {120, 60, 119}}) {
    Render({mouse, 3}, {mark, 3});
    for (int32_t y : {kH / 2 - 1, kH / 2}) EXPECT_EQ(Columns(image, y, kRed), Every(60, 1, last));
    EXPECT_TRUE(Columns(image, kH / 2 + 1, kRed).empty());
  }
}

TEST(TimelinePixels, FillAndLineClipToTheImage) {
  DIB image;
  EXPECT_FALSE(FillPixels(image, 0, 0, 1, 1, kRed));
  EXPECT_FALSE(DrawPixelLine(image, 0, 0, 1, 1, kRed));
  ASSERT_TRUE(image.CreateImage(6, 4));
  EXPECT_TRUE(FillPixels(image, 1, 4, -3, 9, kRed));  // sizes count as absolute; clipped right and below
  EXPECT_EQ(RowRuns(image, 0), (Runs{{0, 5, 0}}));
  EXPECT_EQ(RowRuns(image, 3), (Runs{{0, 3, 0}, {4, 5, kRed}}));
  // {y0, x0, x1, y1}: a point; wholly left, above, right or below the image.
  for (const auto& [y0, x0, x1, y1] : {std::array{2, 3, 3, 2}, {1, -3, -1, 2}, {-1, 1, 3, -5}, {0, 6, 6, 3}, {4, 1, 3, 4}}) {
    EXPECT_FALSE(DrawPixelLine(image, y0, x0, x1, y1, kScale)) << y0 << " " << x0 << " " << x1 << " " << y1;
  }
  ASSERT_TRUE(DrawPixelLine(image, 3, 0, 5, 0, kScale));       // flat, its right end left out
  EXPECT_EQ(Columns(image, 3, kScale), (std::vector<int32_t>{0}));
  EXPECT_EQ(Columns(image, 0, kScale), (std::vector<int32_t>{4}));
  ASSERT_TRUE(DrawPixelLine(image, 9, 1, 1, -3, kScale));  // steep, clipped at both ends
  for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(image.At(1, y), kScale);
  ASSERT_TRUE(image.CreateImage(6, 4));
  ASSERT_TRUE(DrawPixelLine(image, 1, 2, 9, 1, kRed));  // flat, clipped at the right edge
  EXPECT_EQ(Columns(image, 1, kRed), (std::vector<int32_t>{2, 3, 4}));
  ASSERT_TRUE(DrawPixelLine(image, 0, 4, 8, 5, kWhite));  // steep, leaving through the right edge
  const std::vector<int32_t> steep[] = {{4}, {4}, {5}, {}};
  for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(Columns(image, y, kWhite), steep[y]) << y;
  ASSERT_TRUE(DrawPixelLine(image, 0, 0, 3, 3, kScale));  // diagonal: drawn flat, its right end left out
  for (int32_t y = 0; y < 4; ++y) EXPECT_EQ(Columns(image, y, kScale), y < 3 ? std::vector<int32_t>{y} : std::vector<int32_t>{});
  EXPECT_EQ(PixelOf(0x00112233), 0x00332211u);
}

TEST(TimelinePixels, CreateRegrowAndRelease) {
  DIB image;
  EXPECT_FALSE(image.CreateImage(0, 5));
  EXPECT_FALSE(image.CreateImage(1 << 15, 1 << 15));
  ASSERT_TRUE(image.CreateImage(2, 2));
  image.At(1, 0) = 7;
  ASSERT_TRUE(image.Regrow(3, 3, 9));
  ASSERT_TRUE(image.Regrow(3, 3, 5));  // the same size: nothing to do
  EXPECT_EQ(RowRuns(image, 0), (Runs{{0, 0, 0}, {1, 1, 7}, {2, 2, 9}}));
  EXPECT_EQ(RowRuns(image, 2), (Runs{{0, 2, 9}}));
  EXPECT_EQ(image.info.imageSize, 36u);
  ASSERT_TRUE(image.Regrow(4, 3, 5));  // only wider
  EXPECT_EQ(RowRuns(image, 0), (Runs{{0, 0, 0}, {1, 1, 7}, {2, 2, 9}, {3, 3, 5}}));
  EXPECT_FALSE(image.Regrow(0, 3, 1));
  image.ReleaseImage();
  EXPECT_EQ(image.bits, nullptr);
}

TEST(TimelineHover, TextsRecordsAndTicks) {
  EXPECT_EQ(HoverText(SecondsAtX(720, kW)), u"12:00.00\n");
  EXPECT_EQ(DragText(SecondsAtX(60, kW), SecondsAtX(120, kW)), u"01:00.00 -> 02:00.00\n");
  EXPECT_EQ(DragText(SecondsAtX(120, kW), SecondsAtX(60, kW)), u"01:00.00 -> 02:00.00\n");
  EXPECT_EQ(SecondsAtX(5, 0) + SecondsAtX(kW, kW), 86'399);

  DayLog day;
  EXPECT_EQ(FindRecordAt(day, 0), -1);
  EXPECT_FALSE(DraggedRecords(day, 0, 86'399));  // nothing to select on an empty day
  for (uint32_t start : {100, 200, 300}) day.Append({0, start * 1000, 1000, 1}, u"t");
  for (const auto& [seconds, record] : {std::pair{0u, 0}, {100u, 0}, {199u, 0}, {200u, 1}, {250u, 1}, {86'399u, 2}}) {
    EXPECT_EQ(FindRecordAt(day, seconds), record) << seconds;
  }
  const auto range = DraggedRecords(day, 250, 100);
  ASSERT_TRUE(range);
  EXPECT_EQ(std::pair(range->first, range->last), std::pair(0u, 1u));

  // On a 10 x 10 picture: {window active, x, y, moved}; off the picture or at rest is no move.
  TimelineState state;
  for (const auto& [active, x, y, moved] : {std::tuple{false, 5, 5, false}, {true, 10, 5, false}, {true, 5, 10, false},
                                            {true, -1, 5, false}, {true, 5, -1, false}, {true, 0, 3, true},
                                            {true, 4, 0, true}, {true, 4, 0, false}, {true, 9, 9, true}}) {
    EXPECT_EQ(HoverMoved(state, active, {x, y}, {10, 10}), moved) << x << "," << y;
  }
}

}  // namespace
}  // namespace qm
