#include <gtest/gtest.h>

#include "core/fixed_string.h"
#include "output/file_dialog_state.h"
#include "support/fake_env.h"
#include "ui/list_texts.h"
#include "ui/window_geometry.h"

namespace qm {
namespace {

TEST(ListTexts, CellsHeadersAndTotals) {
  EXPECT_EQ(StartCellText(((13 * 60 + 5) * 60 + 9) * 1000 + 999), u"13:05:09");
  EXPECT_EQ(DurationCellText(3723004), u"1:02:03.004");
  EXPECT_EQ(SortedHeaderText(1, true), u"duration ▽");
  EXPECT_EQ(SortedHeaderText(3, false), u"exe △");
  EXPECT_EQ(TotalLineText(0), u"total 0:00.00");
  EXPECT_EQ(TotalLineText(1000 + 2500), u"total 0:03.500");
  EXPECT_EQ(TotalLineText(3600000), u"total 60:00.00");
  EXPECT_EQ(TotalLineText(3600001), u"total 1:00:00.01");
}

TEST(WindowGeometry, CentringLayoutAndTimelinePosition) {
  const Point origin = CenteredOrigin({1920, 1080}, {400, 301});
  EXPECT_EQ(origin.x, 760);
  EXPECT_EQ(origin.y, 389);

  const Rect windowAtSetUp{100, 50, 700, 550};
  const Rect grown{100, 50, 800, 610};  // 100 wider, 60 taller
  const Rect list = LayoutControl(Anchor::Stretch, {108, 100, 608, 400}, windowAtSetUp, grown);
  EXPECT_EQ(list.Width(), 600);
  EXPECT_EQ(list.Height(), 360);
  const Rect button = LayoutControl(Anchor::Bottom, {110, 500, 150, 520}, windowAtSetUp, grown);
  EXPECT_EQ(button.left, 10);
  EXPECT_EQ(button.top, 510);
  EXPECT_EQ(button.Width(), 40);
  const Rect timeline = LayoutControl(Anchor::BottomStretch, {100, 450, 700, 490}, windowAtSetUp, grown);
  EXPECT_EQ(timeline.top, 460);
  EXPECT_EQ(timeline.Width(), 700);
  EXPECT_EQ(timeline.Height(), 40);

  EXPECT_EQ(TimelineX(12 * 3600000, 600), 300);
  EXPECT_EQ(TimelineX(86399999, 86400), 86399);
}

TEST(FileDialogState, ProposedAndChosenFilesAreRemembered) {
  test::FakeEnv env;
  FileDialogState state = {};
  CopyToArray(state.folder, u"/exports");
  ProposeFileName(state, env, u"20160305.txt");
  EXPECT_EQ(ArrayText(state.fullPath), u"/exports/20160305.txt");
  EXPECT_EQ(ArrayText(state.folder), u"/exports");
  EXPECT_EQ(ArrayText(state.fileTitle), u"20160305.txt");

  StripProposedExtension(state, env);
  EXPECT_EQ(ArrayText(state.fullPath), u"/exports/20160305");

  CopyToArray(state.fullPath, u"/elsewhere/" + std::u16string(600, u'n'));
  RememberChosenFile(state, env);
  EXPECT_EQ(ArrayText(state.fullPath).size(), kDialogPathLimit);
  EXPECT_EQ(ArrayText(state.folder), u"/elsewhere");
  EXPECT_EQ(ArrayText(state.fileTitle).size(), kDialogNameLimit);
}

}  // namespace
}  // namespace qm
