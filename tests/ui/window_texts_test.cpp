#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ui/list_texts.h"
#include "ui/window_geometry.h"

namespace qm {
namespace {

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
