// The pane container's arrangement of its parts in each layout, and the
// presses on its panes handed to the engine.

#include "playback/PlayState.h"
#include "playback/ui/PaneLogInfo.h"
#include "playback/ui/PaneLogSearch.h"
#include "playback/ui/PaneUiFixture.h"

namespace pane_ui_test {
namespace {

using PanePanelTest = PaneUiTest;

TEST_F(PanePanelTest, ThumbnailViewTilesSixteenPanesRowByRow) {
  panel_->resize(808, 608);
  panel_->show();
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  engine_->SetLayout(kLayoutThumbnail);
  ASSERT_EQ(panel_->Layout(), kLayoutThumbnail);

  // (808 - 8) / 4 by (608 - 8) / 4, two pixels apart.
  for (int pane = 0; pane < kPaneCount; ++pane) {
    const QRect expected((pane % 4) * 202, (pane / 4) * 152, 200, 150);
    EXPECT_EQ(panel_->Pane(pane)->geometry(), expected) << pane;
    EXPECT_FALSE(panel_->Pane(pane)->isHidden()) << pane;
  }
  EXPECT_TRUE(panel_->LogSearchPane()->isHidden());
  EXPECT_TRUE(panel_->LogInfoPane()->isHidden());

  // A resize keeps the grid over the whole area.
  panel_->resize(408, 308);
  EXPECT_EQ(panel_->Pane(15)->geometry(), QRect(3 * 102, 3 * 77, 100, 75));
}

TEST_F(PanePanelTest, SingleViewGivesPaneZeroTheWholeArea) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  engine_->SetLayout(kLayoutThumbnail);
  engine_->SetLayout(kLayoutSingle);
  EXPECT_EQ(panel_->Pane(0)->geometry(), QRect(0, 0, 640, 480));
  for (int pane = 1; pane < kPaneCount; ++pane) EXPECT_TRUE(panel_->Pane(pane)->isHidden()) << pane;
}

TEST_F(PanePanelTest, LogLayoutShowsTheLogPartsAndTheGraphItWasGiven) {
  QWidget graph;
  panel_->SetLogGraph(&graph);
  EXPECT_EQ(graph.parentWidget(), panel_.get());
  EXPECT_TRUE(graph.isHidden());

  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  ASSERT_EQ(panel_->Layout(), kLayoutLog);
  const QSize size = panel_->size();
  EXPECT_EQ(panel_->Pane(0)->geometry(), CWndPanePanel::LogPictureRect(size));
  EXPECT_LT(panel_->Pane(0)->width(), size.width());
  for (int pane = 1; pane < kPaneCount; ++pane) EXPECT_TRUE(panel_->Pane(pane)->isHidden()) << pane;
  EXPECT_FALSE(panel_->LogSearchPane()->isHidden());
  EXPECT_FALSE(panel_->LogInfoPane()->isHidden());
  EXPECT_FALSE(graph.isHidden());
  // The parts do not overlap.
  EXPECT_FALSE(panel_->LogSearchPane()->geometry().intersects(panel_->Pane(0)->geometry()));
  EXPECT_FALSE(panel_->LogInfoPane()->geometry().intersects(graph.geometry()));
  EXPECT_FALSE(panel_->LogInfoPane()->geometry().intersects(panel_->LogSearchPane()->geometry()));
  graph.setParent(nullptr);
}

TEST_F(PanePanelTest, RightPressSwitchesViewsOnceRecordingsAreLoaded) {
  Press(panel_->Pane(0), {10, 10}, Qt::RightButton);
  EXPECT_EQ(panel_->Layout(), kLayoutSingle);

  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  Press(panel_->Pane(0), {10, 10}, Qt::RightButton);
  EXPECT_EQ(panel_->Layout(), kLayoutThumbnail);
  Press(panel_->Pane(3), {10, 10}, Qt::RightButton);
  EXPECT_EQ(panel_->Layout(), kLayoutSingle);
}

TEST_F(PanePanelTest, LeftPressSelectsAThumbnailOnlyWhilePlayIsStopped) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  engine_->SetLayout(kLayoutThumbnail);
  const PaneSet& panes = engine_->Control().Navigator().Panes();
  ASSERT_EQ(panes.Selected(), FrameNavigator::kCentrePane);
  ASSERT_TRUE(Content(10).HasPicture());
  const int mapUpdates = map_.updates;

  Press(panel_->Pane(10), {20, 20}, Qt::LeftButton);
  EXPECT_EQ(panes.Selected(), 10);
  EXPECT_EQ(engine_->Control().Snapshot().frame, Content(10).frameIndex);
  EXPECT_EQ(map_.updates, mapUpdates + 1);

  engine_->Play();
  ASSERT_NE(engine_->Control().CurrentPlayState(), PS_STOP);
  Press(panel_->Pane(11), {20, 20}, Qt::LeftButton);
  EXPECT_EQ(panes.Selected(), 10);
}

TEST_F(PanePanelTest, InfoPanelRepaintGoesToTheHookTheBackPanelSet) {
  int repaints = 0;
  panel_->SetInfoPanelRepaint([&repaints] { ++repaints; });
  panel_->RepaintInfoPanel();
  EXPECT_EQ(repaints, 1);
}

}  // namespace
}  // namespace pane_ui_test
