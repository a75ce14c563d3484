// The main window's portable logic: its title and days, its list texts and its layout; then the
// timeline picture, pixel for pixel, on a 1,440 x 80 image: one column per minute of the day in the
// upper half and 2.5 s per column in the magnifier below.
#include <gtest/gtest.h>

#include <array>
#include <tuple>
#include <vector>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "storage/log_folder.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"
#include "ui/main_window/day_view.h"
#include "ui/common/dpi_scale.h"
#include "ui/common/list_texts.h"
#include "ui/timeline/timeline_image.h"
#include "ui/common/window_geometry.h"

namespace qm {
namespace {

std::string Text(const ShownDate& d) { return std::to_string(d.year) + "/" + std::to_string(d.month) + "/" + std::to_string(d.day); }

TEST(DayView, TitlesDateSteppingAndDatesFromNames) {
  EXPECT_EQ(DatedTitle({2016, 5, 3}), u"Quillmere [2016/5/3]");
  EXPECT_EQ(FileTitle(u"mylog.bin2"), u"Quillmere [mylog.bin2]");
  EXPECT_EQ(FileTitle(std::u16string(244, u'x')), u"Quillmere [" + std::u16string(244, u'x'));  // cut to 255 units
  // Every month has 31 days here; dates that do not exist have no file.
  EXPECT_EQ(Text(PreviousDate({2016, 3, 1})) + " " + Text(PreviousDate({2017, 1, 1})) + " " + Text(PreviousDate({2016, 3, 2})),
            "2016/2/31 2016/12/31 2016/3/1");
  EXPECT_EQ(Text(NextDate({2016, 12, 31})) + " " + Text(NextDate({2016, 11, 31})) + " " + Text(NextDate({2016, 12, 30})),
            "2017/1/1 2016/12/1 2016/12/31");
  // Four, two and two leading digits.
  for (const auto& [name, date] : {std::pair<std::u16string, std::string>{u"20160503.bin2", "2016/5/3"},
                                   {u"99991231x", "9999/12/31"}, {u"201605.bin2", "-"}, {u"mylog.bin2", "-"},
                                   {u"2016053", "2016/5/3"}, {u"2016/5/3", "-"}, {u"201605:3", "-"}}) {
    const auto parsed = DateOfDayLogName(name);
    EXPECT_EQ(parsed ? Text({parsed->year, parsed->month, parsed->day}) : "-", date) << ToUtf8(name);
  }
}

class DayViewTest : public ::testing::Test {
 protected:
  DayViewTest() {
    env.now = {2016, 3, 2, 1, 9, 0, 0, 0};  // Tuesday 1 March
    app.sampler.lastTick = env.now;
    env.CreateFolder(LogFolder(env));
    key = static_cast<uint32_t>(app.pool.Intern(u"C:\\tools\\editor.exe", UserCurrentDay));
    app.sampler.day.Append({0, 1000, 10, 0}, u"today's record");
  }
  std::u16string Path(const std::u16string& name) { return env.CombinePath(LogFolder(env), name); }
  // A day log with one record titled `title` at `name` in the log folder.
  void PutDay(const std::u16string& name, std::u16string_view title) {
    DayLog day;
    day.Append({0, 5000, 20, key}, title);
    ASSERT_TRUE(WriteDayLogFile(env, Path(name), app.pool, day));
  }
  // A legacy day log with one record titled `title`.
  void PutLegacyDay(const std::u16string& name, std::u16string title) {
    title.resize(256);
    const std::string record = test::ByteBuilder().Zeros(8).U32(0).U32(20).Utf16(title, false).U32(0).str();
    env.PutFile(Path(name), test::ByteBuilder().Text(".LOG").Section(std::string(4, '\0')).Section(record).str());
  }
  // The title, the shown date and the first row's title.
  std::string Shown() const {
    return ToUtf8(view.Title()) + " " + Text(view.list.shownDate) + " " + ToUtf8(RecordTitle(view.list.RecordOfRow(0)));
  }

  test::FakeEnv env;
  uint32_t key = 0;
  AppState app{env};
  DayView view{app};
};

TEST_F(DayViewTest, SteppingTriesImpossibleDatesStopsAtTheFirstLogAndGivesUpAfterThirty) {
  PutLegacyDay(u"20160228.bin", u"legacy");
  PutDay(u"20160227.bin2", u"february");
  view.ShowCurrentDay();
  ASSERT_TRUE(view.StepDay(false));  // 1 Mar -> 31, 30, 29, 28 Feb
  EXPECT_EQ(Shown(), "Quillmere [2016/2/28] 2016/2/28 legacy");
  ASSERT_TRUE(view.StepDay(false));
  EXPECT_EQ(Shown(), "Quillmere [2016/2/27] 2016/2/27 february");
  EXPECT_FALSE(view.ShowsCurrentDay());
  // Forward again reaches the sampler's date, which is the day being recorded.
  ASSERT_TRUE(view.StepDay(true) && view.StepDay(true));
  EXPECT_TRUE(view.ShowsCurrentDay());
  EXPECT_EQ(Shown(), "Quillmere [2016/3/1] 2016/3/1 today's record");
  EXPECT_EQ(app.viewedDay.Count(), 0u);

  env.RemoveFile(Path(u"20160228.bin"));
  env.RemoveFile(Path(u"20160227.bin2"));
  PutDay(u"20160201.bin2", u"thirty-one dates back");  // 1 Mar -> 31 Feb, 30 Feb ... 1 Feb
  EXPECT_FALSE(view.StepDay(true));
  EXPECT_FALSE(view.StepDay(false));
  EXPECT_TRUE(view.ShowsCurrentDay());
  PutLegacyDay(u"20160202.bin", u"thirty dates back");
  ASSERT_TRUE(view.StepDay(false));
  EXPECT_EQ(Shown(), "Quillmere [2016/2/2] 2016/2/2 thirty dates back");
}

TEST(ListTexts, CellsHeadersAndTotals) {
  EXPECT_EQ(StartCellText(((13 * 60 + 5) * 60 + 9) * 1000 + 999), u"13:05:09");
  EXPECT_EQ(DurationCellText(3723004), u"1:02:03.004");
  EXPECT_EQ(SortedHeaderText(0, true) + SortedHeaderText(3, false), u"time ▽exe △");
  EXPECT_EQ(SortedHeaderText(-1, true) + SortedHeaderText(4, true), u"");
  EXPECT_EQ(TotalLineText(0), u"total 0:00.00");
  EXPECT_EQ(TotalLineText(1000 + 2500), u"total 0:03.500");
  EXPECT_EQ(TotalLineText(3600000), u"total 60:00.00");
  EXPECT_EQ(TotalLineText(3600001), u"total 1:00:00.01");
}

// The main and usage windows lay out in client coordinates: the first layout leaves every control
// where the template put it, with a caption or without, and a larger client area stretches the list
// and takes the timeline (wider too) and the buttons down with the bottom edge.
TEST(WindowGeometry, CentringLayoutAndTimelinePosition) {
  const Point origin = CenteredOrigin({1920, 1080}, {400, 301});
  EXPECT_EQ(std::pair(origin.x, origin.y), std::pair(760, 389));
  using Box = std::vector<int32_t>;  // left, top, width, height
  const auto box = [](const Rect& r) { return Box{r.left, r.top, r.Width(), r.Height()}; };
  const Size client{540, 420};
  const Rect list{0, 0, 540, 290}, timeline{0, 296, 534, 368}, button{52, 374, 100, 394};
  for (const auto& [anchor, control] :
       {std::pair{Anchor::Stretch, list}, {Anchor::BottomStretch, timeline}, {Anchor::Bottom, button}}) {
    EXPECT_EQ(box(LayoutInClient(anchor, control, client, client)), box(control));
  }
  const Size grown{640, 480};  // 100 wider, 60 taller
  EXPECT_EQ(box(LayoutInClient(Anchor::Stretch, list, client, grown)), (Box{0, 0, 640, 350}));
  EXPECT_EQ(box(LayoutInClient(Anchor::BottomStretch, timeline, client, grown)), (Box{0, 356, 634, 72}));
  EXPECT_EQ(box(LayoutInClient(Anchor::Bottom, button, client, grown)), (Box{52, 434, 48, 20}));
  EXPECT_EQ(TimelineX(12 * 3600000, 600), 300);
  EXPECT_EQ(TimelineX(86399999, 86400), 86399);
}

TEST(Dpi, LengthsColumnWidthsAndRectanglesAt144Dpi) {
  // Rounded to the nearest pixel, halves up: 1.5 px is 2.
  EXPECT_EQ(std::tuple(ToDpi(100, 144), ToDpi(1, 144), ToDpi(101, 144), ToDpi(320, 144)), std::tuple(150, 2, 152, 480));
  EXPECT_EQ(std::tuple(FromDpi(150, 144), FromDpi(151, 144), FromDpi(152, 144), FromDpi(2, 144)),
            std::tuple(100, 101, 101, 1));
  EXPECT_EQ(std::tuple(ToDpi(3, 120), ToDpi(60, 192), ToDpi(60, 96)), std::tuple(4, 120, 60));
  // A column width stored in 96-DPI units comes back unchanged from any monitor.
  for (uint32_t dpi : {96u, 120u, 144u, 168u, 192u, 288u}) {
    for (int32_t width = 0; width <= 2000; ++width) ASSERT_EQ(FromDpi(ToDpi(width, dpi), dpi), width) << dpi;
  }
  const Rect moved = RescaleRect({-1920, 10, -1000, 615}, 96, 144);
  EXPECT_EQ(std::tuple(moved.left, moved.top, moved.right, moved.bottom), std::tuple(-2880, 15, -1500, 923));
  EXPECT_EQ(Rescale(923, 144, 96), 615);
  const Size client = RescaleSize({523, 401}, 96, 144);
  EXPECT_EQ(std::pair(client.width, client.height), std::pair(785, 602));
  EXPECT_EQ(std::tuple(IconSide(true, 144), IconSide(false, 144), IconSide(true, 120), IconSide(false, 192)),
            std::tuple(24, 48, 20, 64));
}

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

TEST_F(Timeline, At144DpiTheHourNumbersTicksAndDragBandKeepTheirDevicePixels) {
  constexpr int32_t h = 120;  // the 80-pixel picture at 144 DPI
  ASSERT_TRUE(image.CreateImage(kW, h));
  Add(Ms(12, 0), Ms(0, 30), 1);
  text.calls.clear();
  RenderTimeline(image, {list, colors, 144}, {720, 5}, {600, 5}, state, text);
  // The number 2 px right of its tick and 18 px (its font's height) above the bottom edge.
  EXPECT_EQ(text.calls, (Texts{{722, h - 18, u"12"}}));
  EXPECT_EQ(std::tuple(TimelineMetricsAt(144).hourFontHeight, TimelineMetricsAt(96).hourFontHeight,
                       TimelineMetricsAt(192).hourTextLeft, TimelineMetricsAt(120).dragBandHeight),
            std::tuple(18, 12, 2, 3));
  // Ticks as long as at 96 DPI in the picture's proportion: 6 o'clock up to row 15, 1 o'clock to 30;
  // five minutes down to row 90.
  EXPECT_EQ(Columns(image, h / 8, kScale), (std::vector<int32_t>{0, 359, 719, 1079, 1439}));
  EXPECT_EQ(Columns(image, h / 4 - 1, kScale).size(), size_t{5});
  EXPECT_EQ(Columns(image, h / 4, kScale).size(), size_t{25});
  EXPECT_EQ(Columns(image, 6 * h / 8, kScale), Every(120, 120, 1320));
  // The drag band three rows high across the middle line, the mouse line down to it.
  for (int32_t y : {h / 2 - 1, h / 2}) EXPECT_EQ(Columns(image, y, kRed), Every(600, 1, 720)) << y;
  EXPECT_EQ(Columns(image, h / 2 + 1, kRed), Every(600, 1, 719));
  EXPECT_TRUE(Columns(image, h / 2 - 2, kRed).size() == 1 && Columns(image, h / 2 + 2, kRed).empty());
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
