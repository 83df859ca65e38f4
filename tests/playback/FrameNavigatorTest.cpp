#include <gtest/gtest.h>
#include <unistd.h>

#include <array>

#include "playback/PlaybackFixture.h"

namespace playback_test {
namespace {

class FrameNavigatorTest : public PlaybackTest {
 protected:
  FrameNavigator& Nav() { return control_->Navigator(); }

  std::array<const uint8_t*, kPaneCount> Buffers() const {
    std::array<const uint8_t*, kPaneCount> buffers{};
    for (int pane = 0; pane < kPaneCount; ++pane) buffers[static_cast<size_t>(pane)] = Pane(pane).pixels.data();
    return buffers;
  }
  std::vector<int> PaneFrames() const {
    std::vector<int> frames;
    for (int pane = 0; pane < kPaneCount; ++pane) frames.push_back(Pane(pane).frameIndex);
    return frames;
  }
  static std::vector<int> Run(int first, int count) {
    std::vector<int> frames;
    for (int i = 0; i < count; ++i) frames.push_back(first + i);
    return frames;
  }
};

TEST_F(FrameNavigatorTest, ThumbnailGoToFrameCentresTheGridOnIt) {
  AddVideo(FramesEvery(30, 100));
  Open(kViewModeEvent);
  Nav().SetLayout(kLayoutThumbnail);

  control_->GoTo(0, 3);
  for (int pane = 0; pane <= 4; ++pane) {
    EXPECT_FALSE(Pane(pane).HoldsFrame()) << pane;
    EXPECT_FALSE(Pane(pane).HasPicture()) << pane;
  }
  for (int pane = 5; pane < kPaneCount; ++pane) {
    EXPECT_EQ(Pane(pane).frameIndex, pane - 5) << pane;
    EXPECT_TRUE(Pane(pane).HasPicture()) << pane;
  }
  EXPECT_EQ(Nav().Panes().Selected(), 8);
  EXPECT_EQ(paneView_.selected, 8);
  EXPECT_EQ(control_->Snapshot().frame, 3);

  // Near the end the panes after the last frame are empty.
  control_->GoTo(0, 27);
  EXPECT_EQ(Pane(10).frameIndex, 29);
  EXPECT_FALSE(Pane(11).HoldsFrame());
}

TEST_F(FrameNavigatorTest, ThumbnailStepsMoveThePictureBuffersAlong) {
  AddVideo(FramesEvery(40, 100));
  Open(kViewModeEvent);
  Nav().SetLayout(kLayoutThumbnail);
  control_->GoTo(0, 20);
  const auto before = Buffers();

  control_->NextFrame();
  const auto after = Buffers();
  for (int pane = 0; pane < kPaneCount - 1; ++pane) {
    EXPECT_EQ(after[static_cast<size_t>(pane)], before[static_cast<size_t>(pane) + 1]) << pane;
  }
  EXPECT_EQ(after[kPaneCount - 1], before[0]);  // the outgoing buffer is reused for the new frame
  EXPECT_EQ(PaneFrames(), Run(13, kPaneCount));
  // The content that moved into the selected pane drives the displays.
  EXPECT_EQ(control_->Snapshot().frame, 21);
  EXPECT_EQ(CurrentFrame(), 28);

  control_->PreviousFrame();
  control_->PreviousFrame();
  EXPECT_EQ(PaneFrames(), Run(11, kPaneCount));
  EXPECT_EQ(Buffers()[2], after[0]);
  EXPECT_EQ(control_->Snapshot().frame, 19);
}

TEST_F(FrameNavigatorTest, ThumbnailPlayShiftsOnePanePerNewFrame) {
  AddVideo(FramesEvery(24, 100));
  Open(kViewModeEvent);
  Nav().SetLayout(kLayoutThumbnail);
  control_->GoTo(0, 14);  // panes show frames 6..21
  const auto before = Buffers();

  control_->Play();  // from the last pane's frame, 2100 ms
  Tick(100);         // 2200 ms: frame 22
  EXPECT_EQ(PaneFrames(), Run(7, kPaneCount));
  EXPECT_EQ(Buffers()[0], before[1]);
  EXPECT_EQ(control_->Snapshot().frame, 15);
  Tick(200);  // frame 23, the last; at its time play ends
  EXPECT_EQ(PaneFrames(), Run(8, kPaneCount));
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);

  // At the last frame Next changes nothing; at frame 0 Previous neither.
  const int repaints = paneView_.repaints;
  control_->NextFrame();
  EXPECT_EQ(PaneFrames(), Run(8, kPaneCount));
  EXPECT_EQ(paneView_.repaints, repaints);
  control_->GoTo(0, 8);
  ASSERT_EQ(PaneFrames(), Run(0, kPaneCount));
  const int repaintsAtStart = paneView_.repaints;
  control_->PreviousFrame();
  EXPECT_EQ(PaneFrames(), Run(0, kPaneCount));
  EXPECT_EQ(paneView_.repaints, repaintsAtStart);
}

TEST_F(FrameNavigatorTest, ThumbnailPlayNeedsAPictureInItsStartPane) {
  AddVideo(FramesEvery(12, 100));
  Open(kViewModeEvent);
  Nav().SetLayout(kLayoutThumbnail);
  control_->GoTo(0, 8);  // panes 12..15 lie past the last frame
  control_->Play();
  EXPECT_FALSE(timers_.IsTimerRunning(CMgrPlayControl::kVideoTimerId));
  control_->ReversePlay();  // pane 0 holds frame 0
  EXPECT_TRUE(timers_.IsTimerRunning(CMgrPlayControl::kVideoTimerId));
}

// A frame whose picture cannot be read shows no picture but its own data,
// in either view; the user is told once per recording how many frames that
// holds.
TEST_F(FrameNavigatorTest, UnreadableFramesShowEmptyWithTheirOwnDataAndAreToldOnce) {
  SampleVideo written;
  AddVideo(FramesEvery(10, 100), &written);
  Open(kViewModeEvent, 0);
  ASSERT_TRUE(Pane(0).HasPicture());
  const CInfoEventFile& video = *store_.Videos()[0];
  ASSERT_EQ(truncate(written.dataPath.c_str(), video.Frame(6).dataOffset), 0);  // frames 6..9 are cut off

  for (const ViewLayout layout : {kLayoutSingle, kLayoutThumbnail}) {
    Nav().SetLayout(layout);
    control_->GoTo(0, 7);
    const int pane = layout == kLayoutSingle ? 0 : FrameNavigator::kCentrePane;
    EXPECT_EQ(Pane(pane).frameIndex, 7);
    EXPECT_FALSE(Pane(pane).HasPicture());
    EXPECT_EQ(Pane(pane).frame.time, video.Frame(7).time);
    EXPECT_EQ(displays_.ShownDateTime(), video.Frame(7).time);
    control_->GoTo(0, 2);
    EXPECT_TRUE(Pane(pane).HasPicture());
  }
  EXPECT_EQ(paneView_.notices,
            std::vector<std::string>{
                "4 of the 10 frames of this recording could not be read. They are shown without a picture."});
}

TEST_F(FrameNavigatorTest, SingleViewStepsStopAtTheEnds) {
  AddVideo(FramesEvery(3, 100));
  Open(kViewModeEvent, 2);
  const int repaints = paneView_.repaints;
  control_->NextFrame();
  EXPECT_EQ(CurrentFrame(), 2);
  control_->GoTo(0, 0);
  const int afterGoTo = paneView_.repaints;
  control_->PreviousFrame();
  EXPECT_EQ(CurrentFrame(), 0);
  EXPECT_EQ(paneView_.repaints, afterGoTo);
  EXPECT_EQ(afterGoTo, repaints + 1);
  control_->NextFrame();
  EXPECT_EQ(Pane(0).frameIndex, 1);
}

TEST_F(FrameNavigatorTest, SelectingARecordingPreparesItsStartFrameBarGraphAndMap) {
  std::vector<FrameRecipe> event = FramesEvery(12, 500);
  for (size_t i = 6; i < event.size(); ++i) event[i].kind = kTriggerFrameKind;
  AddVideo(event);
  std::vector<FrameRecipe> normal = FramesEvery(40, 1000);
  for (size_t i = 0; i < normal.size(); ++i) {
    normal[i].eventBits = (i >= 3 && i < 6) || i >= 20 ? 1 : 0;
    normal[i].gps = i >= 10;
  }
  AddVideo(normal);

  app_.viewMode = kViewModeEvent;
  EXPECT_TRUE(Nav().SelectRecording(0));
  EXPECT_EQ(CurrentFrame(), 6);        // the trigger
  EXPECT_FALSE(Pane(0).HoldsFrame());  // chosen, not yet shown
  EXPECT_TRUE(slideBar_.range.empty());
  EXPECT_FALSE(backPanel_.gpsPart);
  EXPECT_FALSE(backPanel_.mapHasData);

  app_.viewMode = kViewModeNormal;
  EXPECT_TRUE(Nav().SelectRecording(1));
  EXPECT_EQ(CurrentFrame(), 0);
  EXPECT_EQ(slideBar_.range, (std::vector<int>{0, 39}));
  EXPECT_EQ(slideBar_.times[0], BaseKey());
  EXPECT_EQ(slideBar_.marks, (std::vector<int>{3, 20}));
  EXPECT_EQ(videoGraph_.FullPointCount(), 40);
  EXPECT_TRUE(backPanel_.gpsPart);
  EXPECT_TRUE(backPanel_.mapHasData);
  // Frame 0 has no fix: the map and the snapshot take the nearest one,
  // then the recording's route is drawn.
  ASSERT_EQ(map_.centres.size(), 1u);
  EXPECT_EQ(map_.centres[0], std::make_pair(1, 10));
  EXPECT_EQ(control_->SnapshotGps().valid, 1);
  EXPECT_EQ(map_.routeDraws, 1);

  EXPECT_FALSE(Nav().SelectRecording(2));  // not loaded
  EXPECT_EQ(store_.CurrentIndex(), 1);
  Nav().SelectRecording(-1);
  EXPECT_EQ(store_.CurrentIndex(), -1);
  EXPECT_EQ(slideBar_.resets, 1);
}

TEST_F(FrameNavigatorTest, SeekFollowsTheSlideBarInWholeSeconds) {
  // The first frame at .900 of its second, the next two seconds on.
  AddVideo({{900}, {2100}, {3500}, {5000}});
  app_.viewMode = kViewModeNormal;
  Nav().SelectRecording(0);
  ASSERT_EQ(Nav().SlideBar().maxSeconds, 4);

  EXPECT_TRUE(Nav().SeekToTime(1, true));  // second 1.9 -> 1, before frame 1's second 2
  EXPECT_EQ(CurrentFrame(), 0);
  EXPECT_EQ(map_.updates, 1);
  EXPECT_EQ(displays_.ShownDateTime().second, 30);  // the frame shown after the bar's own time

  EXPECT_FALSE(Nav().SeekToTime(3, false));  // dragging: only every fifth second
  EXPECT_EQ(CurrentFrame(), 0);
  EXPECT_EQ(displays_.ShownDateTime().second, 33);  // base 30.900 + 3 s
  EXPECT_TRUE(Nav().SeekToTime(3, true));
  EXPECT_EQ(CurrentFrame(), 2);
  EXPECT_TRUE(Nav().SeekToTime(4, true));  // the bar's end: the last frame
  EXPECT_EQ(CurrentFrame(), 3);
  EXPECT_TRUE(Nav().SeekToTime(0, false));
  EXPECT_EQ(CurrentFrame(), 0);
  EXPECT_EQ(map_.updates, 3);

  app_.viewMode = kViewModeEvent;
  EXPECT_FALSE(Nav().SeekToTime(3, true));
  EXPECT_EQ(CurrentFrame(), 0);
}

TEST_F(FrameNavigatorTest, LeavingTheThumbnailViewKeepsTheSelectedFrame) {
  AddVideo(FramesEvery(30, 100));
  Open(kViewModeEvent, 12);
  Nav().SetLayout(kLayoutThumbnail);
  EXPECT_EQ(Pane(8).frameIndex, 12);
  control_->NextFrame();  // pane 8 now holds frame 13
  Nav().SetLayout(kLayoutSingle);
  EXPECT_EQ(Nav().Layout(), kLayoutSingle);
  EXPECT_EQ(CurrentFrame(), 13);
  EXPECT_EQ(Pane(0).frameIndex, 13);
  EXPECT_FALSE(Pane(1).HoldsFrame());
}

}  // namespace
}  // namespace playback_test
