// The main window's portable logic: its title and days, its list texts and its layout.
#include "ui/day_view.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "storage/log_folder.h"
#include "support/byte_builder.h"
#include "support/fake_env.h"
#include "ui/list_texts.h"
#include "ui/window_geometry.h"

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

TEST(WindowGeometry, CentringLayoutAndTimelinePosition) {
  const Point origin = CenteredOrigin({1920, 1080}, {400, 301});
  EXPECT_EQ(std::pair(origin.x, origin.y), std::pair(760, 389));
  const Rect windowAtSetUp{100, 50, 700, 550};
  const Rect grown{100, 50, 800, 610};  // 100 wider, 60 taller
  auto layout = [&](Anchor anchor, const Rect& control) {
    const Rect r = LayoutControl(anchor, control, windowAtSetUp, grown);
    return std::vector<int32_t>{r.left, r.top, r.Width(), r.Height()};
  };
  EXPECT_EQ(layout(Anchor::Stretch, {108, 100, 608, 400}), (std::vector<int32_t>{0, 0, 600, 360}));
  EXPECT_EQ(layout(Anchor::Bottom, {110, 500, 150, 520}), (std::vector<int32_t>{10, 510, 40, 20}));
  EXPECT_EQ(layout(Anchor::BottomStretch, {100, 450, 700, 490}), (std::vector<int32_t>{0, 460, 700, 40}));
  EXPECT_EQ(TimelineX(12 * 3600000, 600), 300);
  EXPECT_EQ(TimelineX(86399999, 86400), 86399);
}

}  // namespace
}  // namespace qm
