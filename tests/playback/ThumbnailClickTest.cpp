// Presses on the picture panes: choosing a thumbnail, refilling the grid
// from the chosen one, and the right press that switches the views.

#include <gtest/gtest.h>

#include "playback/PlayState.h"
#include "playback/PlaybackFixture.h"

namespace playback_test {
namespace {

class ThumbnailClickTest : public PlaybackTest {
 protected:
  FrameNavigator& Nav() { return control_->Navigator(); }

  // 40 frames 100 ms apart in the thumbnail view, the grid around frame 20
  // (panes 0..15 show frames 12..27, pane 8 selected).
  void OpenGrid() {
    AddVideo(FramesEvery(40, 100));
    Open(kViewModeEvent);
    Nav().SetLayout(kLayoutThumbnail);
    control_->GoTo(0, 20);
    ASSERT_EQ(Nav().Panes().Selected(), 8);
  }
};

TEST_F(ThumbnailClickTest, PressOnAnotherPaneSelectsItAndShowsItsTelemetry) {
  OpenGrid();
  const int updatesBefore = map_.updates;
  map_.updateResult = 0;

  EXPECT_TRUE(Nav().ClickThumbnail(3));
  EXPECT_EQ(Nav().Panes().Selected(), 3);
  EXPECT_EQ(paneView_.selected, 3);
  EXPECT_EQ(control_->Snapshot().frame, 15);
  EXPECT_EQ(map_.updates, updatesBefore + 1);
  EXPECT_EQ(map_.noData, 1);
  // The grid itself stays as it was.
  EXPECT_EQ(Pane(0).frameIndex, 12);
  EXPECT_EQ(Pane(15).frameIndex, 27);
}

TEST_F(ThumbnailClickTest, PressOnTheSelectedPaneRefillsTheGridFromIt) {
  OpenGrid();
  // Play running into the end shows the last frame in the last pane in
  // place, so the grid no longer runs on frame by frame.
  Nav().Advance(PS_PLAY, BaseKey() + 39 * 100);
  ASSERT_EQ(Pane(15).frameIndex, 39);
  ASSERT_EQ(Pane(14).frameIndex, 26);

  ASSERT_TRUE(Nav().ClickThumbnail(14));
  const int updatesAfterSelect = map_.updates;
  EXPECT_TRUE(Nav().ClickThumbnail(14));
  EXPECT_EQ(Nav().Panes().Selected(), 14);
  for (int pane = 0; pane < kPaneCount; ++pane) EXPECT_EQ(Pane(pane).frameIndex, 12 + pane) << pane;
  EXPECT_EQ(CurrentFrame(), 26);
  EXPECT_EQ(map_.updates, updatesAfterSelect);
}

TEST_F(ThumbnailClickTest, RefillEmptiesPanesOutsideTheRecording) {
  AddVideo(FramesEvery(10, 100));
  Open(kViewModeEvent);
  Nav().SetLayout(kLayoutThumbnail);
  control_->GoTo(0, 2);  // panes 6..15 show frames 0..9
  ASSERT_TRUE(Nav().ClickThumbnail(6));
  ASSERT_TRUE(Nav().ClickThumbnail(6));
  for (int pane = 0; pane < 6; ++pane) EXPECT_FALSE(Pane(pane).HoldsFrame()) << pane;
  EXPECT_EQ(Pane(6).frameIndex, 0);
  EXPECT_EQ(Pane(15).frameIndex, 9);
}

TEST_F(ThumbnailClickTest, PressesThatChangeNothing) {
  AddVideo(FramesEvery(10, 100));
  Open(kViewModeEvent);
  // The single view has no thumbnails to choose.
  EXPECT_FALSE(Nav().ClickThumbnail(0));

  Nav().SetLayout(kLayoutThumbnail);
  control_->GoTo(0, 2);
  const int selected = Nav().Panes().Selected();
  EXPECT_FALSE(Nav().ClickThumbnail(1));  // empty pane before frame 0
  EXPECT_FALSE(Nav().ClickThumbnail(-1));
  EXPECT_FALSE(Nav().ClickThumbnail(kPaneCount));
  EXPECT_EQ(Nav().Panes().Selected(), selected);
}

TEST_F(ThumbnailClickTest, RightPressSwitchesViewsOnlyWithRecordingsLoaded) {
  EXPECT_FALSE(Nav().ToggleThumbnailView());
  EXPECT_EQ(Nav().Layout(), kLayoutSingle);

  AddVideo(FramesEvery(30, 100));
  Open(kViewModeEvent, 12);
  EXPECT_TRUE(Nav().ToggleThumbnailView());
  EXPECT_EQ(Nav().Layout(), kLayoutThumbnail);
  EXPECT_EQ(Pane(FrameNavigator::kCentrePane).frameIndex, 12);
  EXPECT_TRUE(Nav().ToggleThumbnailView());
  EXPECT_EQ(Nav().Layout(), kLayoutSingle);
  EXPECT_EQ(Pane(0).frameIndex, 12);

  Nav().SetLayout(kLayoutLog);
  EXPECT_FALSE(Nav().ToggleThumbnailView());
  EXPECT_EQ(Nav().Layout(), kLayoutLog);
}

}  // namespace
}  // namespace playback_test
