// Periods: the calendar's ranges and steps, and a range of day logs aggregated from real files in one
// or two folders (current and legacy formats, missing and unreadable days).
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "core/calendar_date.h"
#include "output/period_usage.h"
#include "output/record_line.h"
#include "output/usage_line.h"
#include "output/usage_table.h"
#include "platform/utf.h"
#include "storage/day_log_file.h"
#include "support/byte_builder.h"
#include "support/real_env.h"

namespace qm {
namespace {

namespace fs = std::filesystem;

CalendarDate D(int y, int m, int d) {
  return {static_cast<uint16_t>(y), static_cast<uint16_t>(m), static_cast<uint16_t>(d)};
}

TEST(CalendarDate, RangesAndStepsCrossMonthYearAndLeapDays) {
  // {date, days added, the date reached}
  const std::tuple<CalendarDate, int, CalendarDate> steps[] = {
      {D(2016, 2, 28), 1, D(2016, 2, 29)}, {D(2016, 2, 29), 1, D(2016, 3, 1)}, {D(2015, 2, 28), 1, D(2015, 3, 1)},
      {D(1900, 2, 28), 1, D(1900, 3, 1)},  {D(2000, 2, 28), 1, D(2000, 2, 29)}, {D(2016, 12, 31), 1, D(2017, 1, 1)},
      {D(2017, 1, 1), -1, D(2016, 12, 31)}, {D(2016, 3, 5), 365, D(2017, 3, 5)}, {D(1, 1, 1), 0, D(1, 1, 1)},
      {D(9999, 12, 30), 1, D(9999, 12, 31)}};
  for (const auto& [from, days, to] : steps) EXPECT_EQ(AddDays(from, days), to) << DayNumber(from);
  // Monday to Sunday, also across a month's and a year's end.
  EXPECT_EQ(WeekOf(D(2016, 3, 5)), (DateRange{D(2016, 2, 29), D(2016, 3, 6)}));  // a Saturday
  EXPECT_EQ(WeekOf(D(2016, 3, 7)), (DateRange{D(2016, 3, 7), D(2016, 3, 13)}));  // its Monday
  EXPECT_EQ(WeekOf(D(2016, 3, 13)), (DateRange{D(2016, 3, 7), D(2016, 3, 13)})); // its Sunday
  EXPECT_EQ(WeekOf(D(2017, 1, 1)), (DateRange{D(2016, 12, 26), D(2017, 1, 1)}));
  EXPECT_EQ(DayOfWeek(D(2016, 3, 5)), 6);
  EXPECT_EQ(MonthOf(2016, 2).last, D(2016, 2, 29));
  EXPECT_EQ(MonthOf(2100, 2).last, D(2100, 2, 28));
  EXPECT_EQ(DaysIn(YearOf(2016)), 366);
  EXPECT_EQ(DaysIn(YearOf(2015)), 365);
  // Only whole, existing dates of the exact length.
  EXPECT_EQ(ParseDateDigits(u"20160229", 8), D(2016, 2, 29));
  EXPECT_EQ(ParseDateDigits(u"201603", 6), D(2016, 3, 1));
  EXPECT_EQ(ParseDateDigits(u"2016", 4), D(2016, 1, 1));
  for (const char16_t* bad : {u"20150229", u"20161301", u"20160001", u"2016030", u"2016-3-5", u"00000101", u"201603051"})
    EXPECT_FALSE(ParseDateDigits(bad, 8)) << ToUtf8(bad);
  EXPECT_FALSE(ParseDateDigits(u"201613", 6));
  EXPECT_EQ(IsoDateText(D(2016, 3, 5)), u"2016-03-05");
}

class PeriodTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const fs::path& f : {a, b}) fs::create_directories(f);
  }
  // One day's log in `folder`: records {start, duration, program} of the programs "p0.exe"...
  void Write(const fs::path& folder, const CalendarDate& date, std::vector<std::array<uint32_t, 3>> records) {
    written[date] = records;
    StringPool pool;
    DayLog day;
    for (const auto& [start, duration, program] : records) {
      const int32_t key = pool.Intern(Program(program), UserCurrentDay);
      day.Append({0, start, duration, static_cast<uint32_t>(key)}, u"title");
      all.Append({0, start, duration, static_cast<uint32_t>(key)}, u"title");
    }
    const std::u16string name = FromUtf8(ToUtf8(IsoDateText(date)).erase(7, 1).erase(4, 1)) + u".bin2";
    ASSERT_TRUE(WriteDayLogFile(env, (folder / fs::path(name)).u16string(), pool, day));
  }
  static std::u16string Program(uint32_t n) { return u"p" + FromUtf8(std::to_string(n)) + u".exe"; }
  PeriodUsage Aggregate(const DateRange& range, bool withMinutes = false) {
    return AggregatePeriod(env, {a.u16string(), b.u16string()}, range, nullptr, nullptr, withMinutes);
  }

  test::TempFolder folder;
  fs::path a = folder.path() / "pc-a", b = folder.path() / "pc-b";
  Env& env = DefaultEnv();
  DayLog all;  // every record written, for the usage figures
  std::map<CalendarDate, std::vector<std::array<uint32_t, 3>>> written;
};

TEST_F(PeriodTest, RangeMergesFoldersAndFormatsAndSkipsMissingAndUnreadableDays) {
  constexpr uint32_t H = kMsPerHour;
  Write(a, D(2016, 2, 29), {{H, 1000, 1}, {2 * H, 3000, 2}});
  Write(b, D(2016, 2, 29), {{5 * H, 4000, 2}});  // the other computer, the same day
  Write(a, D(2016, 3, 1), {{0, 2 * H, 3}});
  // The earlier product's log of 2016-02-28: clock fields, start and end ticks, title, key.
  const std::string strings = test::ByteBuilder().U32(2 * 7).Utf16(u"old.exe").str();
  const std::string record = test::ByteBuilder().U16(23).U16(30).Zeros(4).U32(0).U32(H).Zeros(512).U32(StringKey(u"old.exe")).str();
  test::WriteWholeFile(b / "20160228.BIN", test::ByteBuilder().Text(".LOG").Section(strings).Section(record).str());
  test::WriteWholeFile(b / "20160301.bin2", ".LOG\x01");  // unreadable
  test::WriteWholeFile(a / "20160227.bin2.unreadable-1", "");  // not a day log's name
  all.Append({0, 23 * H + 30 * 60'000, H, static_cast<uint32_t>(StringKey(u"old.exe"))}, u"old");
  UsageTable expected;  // a day's figures over all the records of the range
  AggregateUsage(all, expected);
  Write(a, D(2016, 3, 2), {{9 * H, 500, 1}});  // outside the range below

  const PeriodUsage period = Aggregate({D(2016, 2, 27), D(2016, 3, 1)});
  EXPECT_EQ(period.unreadable, std::vector<std::u16string>{(b / "20160301.bin2").u16string()});
  ASSERT_EQ(period.days.size(), 3u);
  const DayTotals& legacy = period.days[0];
  EXPECT_EQ(legacy.date, D(2016, 2, 28));
  // 23:30 for an hour: the half hour past midnight stays in the last hour.
  EXPECT_EQ(legacy.hours[23].recorded, H);
  EXPECT_EQ(legacy.lastEnd, 24ull * H + 30 * 60'000);
  const DayTotals& merged = period.days[1];
  EXPECT_EQ(merged.date, D(2016, 2, 29));
  EXPECT_EQ(merged.records, 3u);
  EXPECT_EQ(merged.recorded, 8000u);
  EXPECT_EQ(merged.firstStart, H);
  EXPECT_EQ(merged.lastEnd, 5u * H + 4000);
  EXPECT_EQ(merged.topExe, StringKey(Program(2)));
  EXPECT_EQ(merged.hours[1].topExe, StringKey(Program(1)));
  EXPECT_EQ(merged.hours[5].recorded, 4000u);
  EXPECT_EQ(period.days[2].hours[1].recorded, H);
  EXPECT_EQ(period.days[2].hours[2].recorded, 0u);

  ASSERT_EQ(period.usage.entries.size(), expected.entries.size());
  for (size_t i = 0; i < expected.entries.size(); ++i) {
    EXPECT_EQ(period.usage.entries[i].exeKey, expected.entries[i].exeKey);
    EXPECT_EQ(period.usage.entries[i].totalDuration, expected.entries[i].totalDuration);
    EXPECT_EQ(period.usage.entries[i].count, expected.entries[i].count);
  }
  EXPECT_EQ(period.usage.grandTotal, expected.grandTotal);
  EXPECT_EQ(period.paths.at(StringKey(u"old.exe")), u"old.exe");
  EXPECT_EQ(period.paths.size(), 4u);
}

// Records scattered over the day, some across hour boundaries: every day's hours add up to its
// total, and each hour's top program is the one with the most of that hour.
TEST_F(PeriodTest, HoursAddUpToEachDayAndNameTheirTopProgram) {
  std::mt19937 random(7);
  for (int day = 1; day <= 7; ++day) {
    std::vector<std::array<uint32_t, 3>> records;
    for (uint32_t start = random() % 100'000; start < kMillisecondsPerDay; start += random() % 2'000'000)
      records.push_back({start, static_cast<uint32_t>(random() % 5'000'000), static_cast<uint32_t>(random() % 4)});
    Write(day % 2 ? a : b, D(2016, 3, day), records);
  }
  const PeriodUsage period = Aggregate(WeekOf(D(2016, 3, 2)), true);  // 2016-02-29 to 2016-03-06
  ASSERT_EQ(period.days.size(), 6u);
  for (const DayTotals& day : period.days) {
    uint64_t hours = 0, minutes = 0;
    for (const HourTotals& hour : day.hours) hours += hour.recorded;
    for (const MinuteTotals& minute : day.minutes) minutes += minute.recorded;
    EXPECT_EQ(hours, day.recorded);
    EXPECT_EQ(minutes, day.recorded);
  }
  // Hour by hour from the records themselves: the overlap with each hour, the last hour open-ended.
  for (const DayTotals& day : period.days) {
    std::map<int32_t, std::array<uint64_t, 24>> byProgram;
    for (const auto& [start, duration, program] : written.at(day.date)) {
      for (uint64_t h = 0; h < 24; ++h) {
        const uint64_t from = std::max<uint64_t>(start, h * kMsPerHour);
        const uint64_t to = std::min<uint64_t>(uint64_t{start} + duration, h == 23 ? UINT64_MAX : (h + 1) * kMsPerHour);
        if (to > from) byProgram[StringKey(Program(program))][h] += to - from;
      }
    }
    for (size_t h = 0; h < 24; ++h) {
      int32_t top = 0;
      uint64_t most = 0;
      for (const auto& [key, hours] : byProgram) {  // ascending keys: the lower key wins a tie
        if (hours[h] > most) std::tie(top, most) = std::tie(key, hours[h]);
      }
      EXPECT_EQ(day.hours[h].topExe, top) << h;
    }
  }
}

// A year of milliseconds passes 32 bits: the totals and their lines stay right. The date field of
// list lines prints only where a date is given; elsewhere it is the literal it always was.
TEST(PeriodLines, TotalsPast32BitsAndTheDateField) {
  StringPool pool;
  CompiledTemplate usage, list;
  CompileTemplate(u"%d %h:%M %r %a", usage);
  const AppUsageEntry entry{5'000'000'000, 2, 0};
  LineBuffer line;
  ASSERT_TRUE(FormatUsageLine(line, &entry, usage, pool, 10'000'000'000));
  EXPECT_EQ(line.View(), u"5000000000 1388:53 50.00 2500000000");
  DayLog day;
  day.Append({0, 3'723'456, 1, 0}, u"t");
  CompileTemplate(u"%F,%H:%M %t", list);
  const CalendarDate date = D(2016, 3, 5);
  ASSERT_TRUE(FormatRecordLine(line, pool, list, day.At(0), &date));
  EXPECT_EQ(line.View(), u"2016-03-05,01:02 t");
  ASSERT_TRUE(FormatRecordLine(line, pool, list, day.At(0)));
  EXPECT_EQ(line.View(), u"%F,01:02 t");
}

}  // namespace
}  // namespace qm
