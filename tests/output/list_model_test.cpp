#include "output/list_model.h"

#include <gtest/gtest.h>

#include "app/app_state.h"
#include "output/clipboard_text.h"
#include "support/fake_env.h"

namespace qm {
namespace {

class ListModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto b = static_cast<uint32_t>(pool.Intern(u"b.exe", UserViewedDay));
    const auto a = static_cast<uint32_t>(pool.Intern(u"a.exe", UserViewedDay));
    day.Append({0, 3000, 10, b}, u"beta");
    day.Append({0, 1000, 30, 424242}, u"delta");  // path missing from the pool
    day.Append({0, 2000, 20, a}, u"alpha");
    day.Append({0, 4000, 40, b}, u"gamma");
    list.Rebuild(day);
  }
  // The titles in displayed order; each row's record maps back to that row.
  std::vector<std::u16string> Shown() const {
    std::vector<std::u16string> titles;
    for (uint32_t row = 0; row < list.RowCount(); ++row) {
      titles.emplace_back(RecordTitle(list.RecordOfRow(row)));
      const auto record = static_cast<uint32_t>((list.RecordOfRow(row) - day.Bytes()) / 32);  // all 32 bytes
      EXPECT_EQ(list.RowOfRecord(record), row);
    }
    return titles;
  }
  StringPool pool;
  DayLog day;
  ListModel list;
};

using Titles = std::vector<std::u16string>;

TEST_F(ListModelTest, RebuildShowsRecordOrderAndAppendAddsOnlyNewRecords) {
  EXPECT_EQ(Shown(), (Titles{u"beta", u"delta", u"alpha", u"gamma"}));
  EXPECT_EQ(list.RecordOfRow(4), nullptr);
  day.Append({0, 5000, 1, 0}, u"later");
  list.AppendNew();
  list.AppendNew();
  EXPECT_EQ(list.RowCount(), 5u);
  EXPECT_EQ(RecordTitle(list.RecordOfRow(4)), u"later");
}

TEST_F(ListModelTest, SortsByEachColumnInBothDirectionsEvenOverAnEmptiedSource) {
  list.SortByColumn(kListStart, true, pool);
  EXPECT_EQ(Shown(), (Titles{u"delta", u"alpha", u"beta", u"gamma"}));
  list.SortByColumn(kListDuration, false, pool);
  EXPECT_EQ(Shown(), (Titles{u"gamma", u"delta", u"alpha", u"beta"}));
  list.SortByColumn(kListTitle, true, pool);
  EXPECT_EQ(Shown(), (Titles{u"alpha", u"beta", u"delta", u"gamma"}));
  list.SortByColumn(kListExecutable, true, pool);
  EXPECT_EQ(Shown()[0], u"delta");  // the missing path sorts below every path
  EXPECT_EQ(Shown()[1], u"alpha");
  list.SortByColumn(kListExecutable, false, pool);
  EXPECT_EQ(Shown()[3], u"delta");
  // A failed load empties the viewed day under the rows: they show nothing and sort without harm.
  day.Clear();
  EXPECT_EQ(list.RecordOfRow(0), nullptr);
  list.SortByColumn(kListDuration, true, pool);
  EXPECT_EQ(list.RowCount(), 4u);
  EXPECT_EQ(list.RecordOfRow(3), nullptr);
}

TEST_F(ListModelTest, CopiedTextHasTheSelectedRowsInDisplayedOrder) {
  test::FakeEnv env;
  AppState app(env);
  CompileTemplates(app.settings, app.templates);
  app.pool.Intern(u"a.exe", UserViewedDay);
  list.SortByColumn(kListTitle, true, pool);
  const uint32_t rows[] = {0, 2, 9};  // row 9 does not exist and is skipped
  EXPECT_EQ(RecordRowsText(app, list, rows, OutputFormat::Csv),
            u"00:00:02.000,20,\"alpha\",\"a.exe\"\n00:00:01.000,30,\"delta\",\"none\"\n");
  EXPECT_EQ(RecordRowsText(app, list, {}, OutputFormat::Text), u"");
  app.settings.newlineMode = 1;
  EXPECT_EQ(RecordRowsText(app, list, std::span(rows, 1), OutputFormat::Text),
            u"[0:00:02.000](0:00.020) \"alpha\" - \"a.exe\"\r\n");
}

}  // namespace
}  // namespace qm
