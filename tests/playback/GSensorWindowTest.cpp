// A point chosen in the G-sensor window's graph seeks the current recording.

#include <gtest/gtest.h>

#include "playback/GSensorWindow.h"
#include "playback/PlaybackFixture.h"

namespace {

using playback_test::BaseKey;
using playback_test::FramesEvery;

// The graph's messages go straight to the window, as the control's parent.
class ForwardingGraphView final : public GraphView {
 public:
  GSensorWindow* window = nullptr;
  void PostPointChosen(int index) override { window->OnPointChosen(index); }
  void SendPointChosen(int index) override { window->OnPointChosen(index); }
};

class GSensorWindowTest : public playback_test::PlaybackTest {
 protected:
  PlaybackOutputs outputs_{sinks_};
  GSensorWindow window_{videoGraph_, *control_, outputs_};
};

TEST_F(GSensorWindowTest, ChosenPointBecomesTheShownFrame) {
  AddVideo(FramesEvery(10, 100));
  Open(kViewModeEvent);
  control_->Play();
  ASSERT_NE(control_->CurrentPlayState(), PS_STOP);

  EXPECT_TRUE(window_.OnPointChosen(6));
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  EXPECT_EQ(CurrentFrame(), 6);
  EXPECT_EQ(videoGraph_.CurrentIndex(), 6);  // the display update moved the cursor
  EXPECT_EQ(map_.updates, 1);
  EXPECT_EQ(map_.noData, 0);

  map_.updateResult = 0;
  EXPECT_TRUE(window_.OnPointChosen(2));
  EXPECT_EQ(CurrentFrame(), 2);
  EXPECT_EQ(map_.noData, 1);

  EXPECT_FALSE(window_.OnPointChosen(10));
  EXPECT_FALSE(window_.OnPointChosen(-1));
  EXPECT_EQ(CurrentFrame(), 2);
  EXPECT_EQ(map_.updates, 2);
}

TEST_F(GSensorWindowTest, ClicksPastEitherEndReachTheFirstAndLastFrame) {
  AddVideo(FramesEvery(10, 100));
  Open(kViewModeEvent, 4);
  ForwardingGraphView forward;
  forward.window = &window_;
  videoGraph_.SetView(&forward);
  videoGraph_.OnPlotRelease(500, 200);
  EXPECT_EQ(CurrentFrame(), 9);
  videoGraph_.OnPlotRelease(-20, 200);
  EXPECT_EQ(CurrentFrame(), 0);
  videoGraph_.OnPlotDrag(100, 200);  // 450 ms
  EXPECT_EQ(CurrentFrame(), 4);
}

TEST_F(GSensorWindowTest, NormalWindowIndicesAreTakenFromThePlottedPoints) {
  AddVideo(FramesEvery(60, 1000));
  Open(kViewModeNormal, 40);
  ASSERT_GT(videoGraph_.WindowStart(), 0);
  const int start = videoGraph_.WindowStart();
  EXPECT_TRUE(window_.OnPointChosen(3));
  EXPECT_EQ(CurrentFrame(), start + 3);
}

TEST_F(GSensorWindowTest, ThumbnailViewIsRefilledAroundTheFrame) {
  AddVideo(FramesEvery(30, 100));
  Open(kViewModeEvent);
  control_->Navigator().SetLayout(kLayoutThumbnail);
  EXPECT_TRUE(window_.OnPointChosen(20));
  EXPECT_EQ(Pane(FrameNavigator::kCentrePane).frameIndex, 20);
}

TEST_F(GSensorWindowTest, LogModeAndEmptyRecordingsAreLeftAlone) {
  videoGraph_.LoadPoints(kViewModeLog, {GraphPoint{}, GraphPoint{}});
  EXPECT_FALSE(window_.OnPointChosen(1));
  EXPECT_EQ(map_.updates, 0);

  AddCrashedVideo();
  Open(kViewModeEvent);
  videoGraph_.LoadPoints(kViewModeEvent, {GraphPoint{}});
  EXPECT_FALSE(window_.OnPointChosen(0));
  EXPECT_EQ(map_.updates, 0);
}

TEST_F(GSensorWindowTest, FrameAtTimeEdges) {
  std::vector<playback_test::FrameRecipe> frames = FramesEvery(3, 100);
  AddVideo(frames);
  const CInfoEventFile& video = *store_.Videos()[0];
  const struct {
    int64_t offset;
    int frame;
  } cases[] = {{-1, -1}, {0, 0}, {99, 0}, {150, 1}, {200, 2}, {5000, 2}};
  for (const auto& c : cases) EXPECT_EQ(GSensorWindow::FrameAtTime(video, BaseKey() + c.offset), c.frame) << c.offset;
  EXPECT_EQ(GSensorWindow::FrameAtTime(*store_.Videos()[static_cast<size_t>(AddCrashedVideo())], BaseKey()), -1);
}

}  // namespace
