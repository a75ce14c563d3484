#include "ui/day_view.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "core/fixed_string.h"
#include "storage/day_log_file.h"
#include "storage/log_folder.h"
#include "support/fake_env.h"

namespace qm {
namespace {

class DayViewTest : public ::testing::Test {
 protected:
  DayViewTest() {
    env.now = {2016, 3, 2, 1, 9, 0, 0, 0};  // Tuesday 1 March
    app.sampler.lastTick = env.now;
    env.CreateFolder(LogFolder(env));
    key = static_cast<uint32_t>(app.pool.Intern(u"C:\\tools\\editor.exe", UserCurrentDay));
    app.sampler.day.Append({0, 1000, 10, 0}, u"today's record");
  }

  // A day log with one record titled `title` at `name` in the log folder.
  void PutDay(const std::u16string& name, std::u16string_view title) {
    DayLog day;
    day.Append({0, 5000, 20, key}, title);
    ASSERT_TRUE(WriteDayLogFile(env, env.CombinePath(LogFolder(env), name), app.pool, day));
  }

  std::u16string_view ShownTitle(uint32_t row) const { return RecordTitle(view.list.RecordOfRow(row)); }

  test::FakeEnv env;
  uint32_t key = 0;
  AppState app{env};
  DayView view{app};
};

TEST_F(DayViewTest, DatedAndFileTitlesAndDateStepping) {
  EXPECT_EQ(DatedTitle({2016, 5, 3}), u"Quillmere [2016/5/3]");
  EXPECT_EQ(FileTitle(u"mylog.bin2"), u"Quillmere [mylog.bin2]");
  EXPECT_EQ(FileTitle(std::u16string(400, u'x')).size(), 255u);
  const ShownDate back = PreviousDate({2016, 3, 1});
  EXPECT_EQ(back.month, 2);
  EXPECT_EQ(back.day, 31);  // every month has 31 days here; dates that do not exist have no file
  const ShownDate newYear = NextDate({2016, 12, 31});
  EXPECT_EQ(newYear.year, 2017);
  EXPECT_EQ(newYear.month, 1);
  EXPECT_EQ(newYear.day, 1);
  const ShownDate oldYear = PreviousDate({2017, 1, 1});
  EXPECT_EQ(oldYear.year, 2016);
  EXPECT_EQ(oldYear.month, 12);
}

TEST_F(DayViewTest, ShowFileReadsTheDateFromTheNameOrShowsTheName) {
  PutDay(u"20160503.bin2", u"dated");
  ASSERT_TRUE(view.ShowFile(env.CombinePath(LogFolder(env), u"20160503.bin2")));
  EXPECT_EQ(view.Title(), u"Quillmere [2016/5/3]");
  EXPECT_EQ(view.list.shownDate.day, 3);
  EXPECT_EQ(ShownTitle(0), u"dated");

  PutDay(u"mylog.BIN2", u"named");
  ASSERT_TRUE(view.ShowFile(env.CombinePath(LogFolder(env), u"mylog.BIN2")));
  EXPECT_EQ(view.Title(), u"Quillmere [mylog.BIN2]");
  EXPECT_EQ(view.list.shownDate.year, 0);
  EXPECT_EQ(ArrayText(app.settings.exportDialog.fileTitle), u"mylog.BIN2");
}

TEST_F(DayViewTest, AFailedLoadLeavesTheShownDayIntact) {
  PutDay(u"20160220.bin2", u"kept");
  ASSERT_TRUE(view.ShowDayByDate({2016, 2, 20}));
  env.PutFile(env.CombinePath(LogFolder(env), u"damaged.bin2"), ".LOG garbage");
  env.PutFile(env.CombinePath(LogFolder(env), u"notes.txt"), "text");

  EXPECT_FALSE(view.ShowFile(env.CombinePath(LogFolder(env), u"damaged.bin2")));
  EXPECT_FALSE(view.ShowFile(env.CombinePath(LogFolder(env), u"notes.txt")));
  EXPECT_FALSE(view.ShowFile(env.CombinePath(LogFolder(env), u"missing.bin")));
  EXPECT_FALSE(view.ShowDayByDate({2016, 2, 21}));
  ASSERT_EQ(view.list.RowCount(), 1u);
  EXPECT_EQ(ShownTitle(0), u"kept");
  EXPECT_EQ(view.Title(), u"Quillmere [2016/2/20]");
}

TEST_F(DayViewTest, PreviousDayTriesImpossibleDatesAndStopsAtTheFirstLog) {
  PutDay(u"20160228.bin2", u"february");
  view.ShowCurrentDay();
  ASSERT_TRUE(view.StepDay(false));
  EXPECT_EQ(view.list.shownDate.month, 2);
  EXPECT_EQ(view.list.shownDate.day, 28);
  EXPECT_FALSE(view.ShowsCurrentDay());
  // Forward again reaches the sampler's date, which is the day being recorded.
  ASSERT_TRUE(view.StepDay(true));
  EXPECT_TRUE(view.ShowsCurrentDay());
  EXPECT_EQ(ShownTitle(0), u"today's record");
  EXPECT_EQ(app.viewedDay.Count(), 0u);
}

TEST_F(DayViewTest, SteppingGivesUpAfterThirtyMissingDates) {
  PutDay(u"20160201.bin2", u"thirty-one dates back");  // 1 Mar -> 31 Feb, 30 Feb ... 1 Feb
  view.ShowCurrentDay();
  EXPECT_FALSE(view.StepDay(true));
  EXPECT_FALSE(view.StepDay(false));
  EXPECT_TRUE(view.ShowsCurrentDay());
  PutDay(u"20160202.bin2", u"thirty dates back");
  ASSERT_TRUE(view.StepDay(false));
  EXPECT_EQ(ShownTitle(0), u"thirty dates back");
}

TEST(DayLogName, DateComesFromFourTwoAndTwoLeadingDigits) {
  const auto date = DateOfDayLogName(u"20160503.bin2");
  ASSERT_TRUE(date.has_value());
  EXPECT_EQ(date->year, 2016);
  EXPECT_EQ(date->month, 5);
  EXPECT_EQ(date->day, 3);
  EXPECT_FALSE(DateOfDayLogName(u"mylog.bin2").has_value());
  EXPECT_FALSE(DateOfDayLogName(u"201605.bin2").has_value());
}

}  // namespace
}  // namespace qm
