#include "output/list_model.h"

#include <gtest/gtest.h>

#include "core/string_pool.h"
#include "platform/utf.h"

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
  std::string Shown() const {
    std::string titles;
    for (uint32_t row = 0; row < list.RowCount(); ++row) {
      titles += ToUtf8(RecordTitle(list.RecordOfRow(row))) + " ";
      EXPECT_EQ(list.RowOfRecord(list.RecordIndexOfRow(row)), row);
    }
    return titles;
  }
  std::string Sorted(ListColumn column, bool ascending) {
    list.SortByColumn(column, ascending, pool);
    return Shown();
  }
  StringPool pool;
  DayLog day;
  ListModel list;
};

TEST_F(ListModelTest, RebuildShowsRecordOrderAndAppendAddsOnlyNewRecords) {
  EXPECT_EQ(Shown(), "beta delta alpha gamma ");
  EXPECT_EQ(list.RecordOfRow(4), nullptr);
  EXPECT_EQ(list.RowOfRecord(4), 4u);
  day.Append({0, 5000, 1, 0}, u"later");
  list.AppendNew();
  list.AppendNew();
  EXPECT_EQ(Shown(), "beta delta alpha gamma later ");
  ListModel none;
  none.AppendNew();
  none.SortByColumn(kListStart, true, pool);
  EXPECT_EQ(none.RowCount(), 0u);
  EXPECT_EQ(none.RecordOfRow(0), nullptr);
}

// Each sort starts from the order the one before left, so that no column merely keeps an order.
TEST_F(ListModelTest, SortsByEachColumnInBothDirectionsEvenOverAnEmptiedSource) {
  EXPECT_EQ(Sorted(kListStart, true), "delta alpha beta gamma ");
  EXPECT_EQ(Sorted(kListDuration, false), "gamma delta alpha beta ");
  EXPECT_EQ(Sorted(kListExecutable, true).substr(0, 12), "delta alpha ");  // a missing path sorts first
  EXPECT_EQ(Sorted(kListTitle, false), "gamma delta beta alpha ");
  EXPECT_EQ(Sorted(kListExecutable, false).substr(11), "alpha delta ");
  EXPECT_EQ(Sorted(kListDuration, true), "beta alpha delta gamma ");
  EXPECT_EQ(Sorted(kListTitle, true), "alpha beta delta gamma ");
  EXPECT_EQ(Sorted(kListStart, false), "gamma beta alpha delta ");
  // Many rows of one start and duration (more than a sort orders by insertion) must compare equal,
  // or sorting runs past them.
  for (int i = 0; i < 40; ++i) day.Append({0, 4000, 40, 0}, u"gamma");
  list.AppendNew();
  const size_t shown = Shown().size();
  for (bool ascending : {true, false}) {
    EXPECT_EQ(Sorted(kListDuration, ascending).size(), shown);
    EXPECT_EQ(Sorted(kListStart, ascending).size(), shown);
  }
  // A failed load empties the viewed day under the rows: they show nothing and sort without harm.
  day.Clear();
  list.SortByColumn(kListDuration, true, pool);
  EXPECT_EQ(list.RowCount(), 44u);
  EXPECT_EQ(list.RecordOfRow(43), nullptr);
}

}  // namespace
}  // namespace qm
