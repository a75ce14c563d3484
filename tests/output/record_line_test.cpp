// Record lines through templates. (The default templates byte for byte: see the export tests.)
#include "output/record_line.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/app_state.h"
#include "support/fake_env.h"

namespace qm {
namespace {

class RecordLineTest : public ::testing::Test {
 protected:
  void SetUp() override { CompileTemplates(app.settings, app.templates); }

  // The line of a record through `pattern`.
  std::u16string Render(std::u16string_view pattern, uint32_t start = 3'723'456, uint32_t duration = 62'345,
                        std::u16string_view title = u"DummyTitle", uint32_t exeKey = 12345) {
    day.Clear();
    EXPECT_TRUE(day.Append({0, start, duration, exeKey}, title));
    CompiledTemplate compiled;
    EXPECT_TRUE(CompileTemplate(pattern, compiled));
    LineBuffer line;
    EXPECT_TRUE(FormatRecordLine(line, app.pool, compiled, day.At(0)));
    return std::u16string(line.View());
  }

  test::FakeEnv env;
  AppState app{env};
  DayLog day;
};

TEST_F(RecordLineTest, SpecifiersPercentRunsAndUnknownLetters) {
  EXPECT_EQ(Render(u"%h|%H|%m|%M|%s|%S|%l|%L|%i", 36'061'005), u"10|10|1|01|1|01|5|005|36061005");
  EXPECT_EQ(Render(u"%n|%e|%E|%c|%C|%d", 0, 7'384'005), u"123|4|04|5|005|7384005");
  EXPECT_EQ(Render(u"%h:%M:%S.%L %H", 0, 0), u"0:00:00.000 00");
  EXPECT_EQ(Render(u"%H", 86'399'999), u"23");
  // The path comes from the pool, "none" without one; the title is copied unescaped.
  const int32_t key = app.pool.Intern(u"C:\\tools\\ed.exe", UserViewedDay);
  EXPECT_EQ(Render(u"%x|%t", 0, 0, u"say \"hi\", ok", static_cast<uint32_t>(key)), u"C:\\tools\\ed.exe|say \"hi\", ok");
  EXPECT_EQ(Render(u"%x", 0, 0, u"", 99), u"none");
  // On the record of start 3,723,456 and duration 62,345.
  const std::pair<std::u16string_view, std::u16string_view> percents[] = {
      {u"%%d", u"62345"}, {u"a%%d", u"a62345"}, {u"%", u"%"}, {u"%%", u"%"}, {u"100%%%", u"100%"},
      {u"%q", u"%q"}, {u"%%%q", u"%q"}, {u"%a%u%r%T", u"%a%u%r%T"},  // usage letters mean nothing here
  };
  for (const auto& [pattern, line] : percents) EXPECT_EQ(Render(pattern), line);
}

// 1023 units is the most a line holds; the line end is cut like any other text.
TEST_F(RecordLineTest, LongLinesAreCutAt1023UnitsWithTheLineEndCutToo) {
  day.Append({0, 0, 0, 0}, std::u16string(129, u'T'));
  for (const auto& [lineUnits, newlineMode, end] : {std::tuple<size_t, int32_t, std::u16string_view>{1021, 1, u"\r\n"},
                                                    {1022, 1, u"\r"}, {1023, 1, u""}, {1022, 0, u"\n"}, {1023, 0, u""},
                                                    {2000, 0, u""}}) {
    // Eight titles (1032 units) cut to the wanted length by a template of literal text and titles.
    std::u16string pattern = std::u16string(lineUnits % 129, u'p');
    for (size_t i = 0; i < lineUnits / 129; ++i) pattern += u"%t";
    CompileTemplate(pattern, app.templates[kListTextTemplate]);
    app.settings.newlineMode = newlineMode;
    LineBuffer line;
    ListTextLine(line, day.At(0), app);
    const size_t body = std::min<size_t>(lineUnits, 1023);
    ASSERT_EQ(line.Length(), body + end.size()) << lineUnits << " " << newlineMode;
    EXPECT_EQ(line.View().substr(body), end);
    EXPECT_EQ(line.Data()[line.Length()], u'\0');
  }
}

}  // namespace
}  // namespace qm
