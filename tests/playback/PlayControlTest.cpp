#include <gtest/gtest.h>

#include "playback/PlaybackFixture.h"
#include "telemetry/DigitCells.h"

namespace playback_test {
namespace {

using PlayControlTest = PlaybackTest;

TEST_F(PlayControlTest, PlayCommandsStepThroughTheirSpeeds) {
  AddVideo(FramesEvery(20, 100));
  Open(kViewModeEvent);

  control_->Play();
  EXPECT_EQ(control_->CurrentPlayState(), PS_PLAY);
  control_->Play();
  EXPECT_EQ(control_->CurrentPlayState(), PS_PLAY_HALF);
  control_->Play();
  EXPECT_EQ(control_->CurrentPlayState(), PS_PLAY);

  // Entering the fast cycle from outside starts at x2; four more presses
  // come round to x2 again.
  const PlayState fast[] = {PS_FAST_2, PS_FAST_4, PS_FAST_8, PS_FAST_16, PS_FAST_2};
  for (PlayState expected : fast) {
    control_->FastPlay();
    EXPECT_EQ(control_->CurrentPlayState(), expected);
  }
  control_->ReversePlay();
  EXPECT_EQ(control_->CurrentPlayState(), PS_REVERSE);
  control_->ReversePlay();
  EXPECT_EQ(control_->CurrentPlayState(), PS_REVERSE_HALF);
  control_->FastReverse();
  EXPECT_EQ(control_->CurrentPlayState(), PS_FAST_REVERSE_2);
  for (int i = 0; i < 3; ++i) control_->FastReverse();
  EXPECT_EQ(control_->CurrentPlayState(), PS_FAST_REVERSE_16);
  EXPECT_EQ(timers_.IsTimerRunning(CMgrPlayControl::kVideoTimerId), true);

  control_->PlayStopToggle();
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  EXPECT_FALSE(timers_.IsTimerRunning(CMgrPlayControl::kVideoTimerId));
  control_->PlayStopToggle();
  EXPECT_EQ(control_->CurrentPlayState(), PS_PLAY);
  // The lit button follows every change of state.
  EXPECT_EQ(backPanel_.buttonStates.back(), PS_PLAY);
}

TEST_F(PlayControlTest, CommandsDoNothingWithoutLoadedData) {
  control_->Play();
  control_->FastReverse();
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  app_.viewMode = kViewModeEvent;  // a video mode with no recording loaded
  control_->Play();
  control_->NextFrame();
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  app_.viewMode = kViewModeLog;
  control_->ReversePlay();
  EXPECT_FALSE(timers_.IsTimerRunning(CMgrPlayControl::kLogTimerId));
  EXPECT_TRUE(backPanel_.buttonStates.empty());
}

TEST_F(PlayControlTest, ATickShowsTheFirstFrameAtOrAfterThePosition) {
  AddVideo({{0}, {100}, {200}});
  Open(kViewModeEvent);
  control_->Play();

  Tick(25);  // position 25 ms: already the frame at 100 ms
  EXPECT_EQ(control_->Snapshot().frame, 1);
  EXPECT_EQ(control_->PlayPosition(), BaseKey() + 25);
  Tick(75);  // position 100 ms: nothing new
  EXPECT_EQ(control_->Snapshot().frame, 1);
  Tick(25);  // passed 100 ms: the frame at 200 ms
  EXPECT_EQ(control_->Snapshot().frame, 2);
  EXPECT_EQ(control_->CurrentPlayState(), PS_PLAY);
  Tick(75);  // at 200 ms the last frame is shown and play ends
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  EXPECT_FALSE(timers_.IsTimerRunning(CMgrPlayControl::kVideoTimerId));
  EXPECT_EQ(CurrentFrame(), 2);
  EXPECT_EQ(map_.updates, 1);
}

TEST_F(PlayControlTest, FramesPassedWithinOneTickAreSkipped) {
  AddVideo(FramesEvery(100, 10));
  Open(kViewModeEvent);
  control_->Play();
  std::vector<int> shown;
  for (int i = 0; i < 4; ++i) {
    Tick(25);
    shown.push_back(control_->Snapshot().frame);
  }
  EXPECT_EQ(shown, (std::vector<int>{3, 5, 8, 10}));

  // x16 forward moves 33 x 16 = 528 ms a tick.
  control_->FastPlay();
  for (int i = 0; i < 3; ++i) control_->FastPlay();
  EXPECT_EQ(control_->CurrentPlayState(), PS_FAST_16);
  Tick(33);
  EXPECT_EQ(control_->Snapshot().frame, 10 + 53);
}

TEST_F(PlayControlTest, EachEndStopsWithItsEndFrameShown) {
  AddVideo(FramesEvery(5, 100));
  Open(kViewModeEvent, 2);
  map_.updateResult = 0;
  control_->FastPlay();
  Tick(33);  // 266 ms: frame 3
  Tick(33);  // 332 ms: frame 4, the last, but not yet its time
  Tick(33);
  Tick(33);  // 464 ms: past the last frame
  EXPECT_EQ(CurrentFrame(), 4);
  EXPECT_EQ(control_->Snapshot().frame, 4);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  EXPECT_EQ(map_.noData, 1);  // the map was brought up to date, with nothing to show

  control_->ReversePlay();
  Tick(400);
  EXPECT_EQ(CurrentFrame(), 0);
  EXPECT_EQ(Pane(0).frameIndex, 0);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
}

TEST_F(PlayControlTest, PositionFollowsMeasuredMillisecondsWithHalfSpeedTruncated) {
  AddVideo(FramesEvery(50, 100));
  Open(kViewModeEvent, 25);
  const int64_t start = BaseKey() + 2500;

  control_->ReversePlay();
  control_->ReversePlay();  // reverse at half speed
  // A late tick of 25 ms moves back 12 ms: halved first, then the sign.
  clock_.Advance(25);
  control_->OnVideoTimer();
  EXPECT_EQ(control_->PlayPosition(), start - 12);
  clock_.Advance(1);
  control_->OnVideoTimer();
  EXPECT_EQ(control_->PlayPosition(), start - 12);

  // The tick count is 32 bits wide: the difference across its wrap is the
  // plain elapsed time.
  control_->Stop();
  control_->Navigator().GoToFrame(25);
  clock_.Advance(0x100000000LL - 16 - clock_.TickMs());
  control_->Play();
  clock_.Advance(40);
  control_->OnVideoTimer();
  EXPECT_EQ(control_->PlayPosition(), start + 40);
}

TEST_F(PlayControlTest, DisplayUpdatePushesTheFrameInItsFixedOrder) {
  FrameRecipe frame{0};
  frame.gps = true;
  frame.signal = 4;
  frame.gZ = 1250;
  FrameRecipe next = frame;
  next.offsetMs = 2100;
  next.latitude = 4807.5;
  AddVideo({frame, next});
  store_.Videos()[0]->SetCurrentFrameIndex(0);
  app_.viewMode = kViewModeNormal;
  control_->Navigator().SelectRecording(0);
  events_.clear();
  control_->Navigator().GoToFrame(1);

  EXPECT_EQ(events_, (Events{"date", "gx", "gy", "gz", "speed", "position", "signal", "cursor", "follow", "bar 2"}))
      << "stopped play posts no 1944";
  EXPECT_FLOAT_EQ(displays_.GValue(2), 0.25f);
  EXPECT_EQ(displays_.Position().latMin, 7);
  EXPECT_EQ(videoGraph_.CurrentIndex(), 1);
  EXPECT_EQ(control_->Snapshot().frame, 1);
  EXPECT_EQ(control_->Snapshot().recording, 0);

  const CurrentPositionRecord position = control_->CurrentPosition();
  EXPECT_EQ(position.frame, 1);
  EXPECT_EQ(position.kind, 2);
  EXPECT_NEAR(position.latitude, 48 + 7.5 / 60, 1e-6);
}

TEST_F(PlayControlTest, TheMapArrowMovesOnlyAtNormalSpeeds) {
  std::vector<FrameRecipe> frames = FramesEvery(40, 100);
  for (size_t i = 0; i < frames.size(); ++i) {
    frames[i].gps = true;
    frames[i].latitude = 4807.0 + 0.01 * static_cast<double>(i / 2);  // a new position every other frame
  }
  AddVideo(frames);
  Open(kViewModeEvent);
  map_.moved = 0;

  control_->Play();
  for (int i = 0; i < 8; ++i) Tick(25);  // frames 1 and 2, position changes at frame 2
  EXPECT_EQ(control_->Snapshot().frame, 2);
  EXPECT_EQ(map_.moved, 1);
  control_->Play();  // half speed
  Tick(400);         // frames 3, 4: the move at frame 4
  EXPECT_EQ(map_.moved, 2);

  control_->FastPlay();
  Tick(330);
  EXPECT_GT(control_->Snapshot().frame, 8);
  EXPECT_EQ(map_.moved, 2);
  control_->Stop();
  control_->NextFrame();
  control_->NextFrame();
  EXPECT_EQ(map_.moved, 2);
}

// Play and the grid's refill reach an unreadable frame like any other: it
// becomes the shown frame, without a picture, and no older picture stays
// where it belongs.
TEST_F(PlayControlTest, PlayAndTheGridShowAnUnreadableFrameWithoutAPicture) {
  SampleVideo written;
  AddVideo({{0}, {100}, {200}}, &written);
  // Point frame 1's index record past the end of the data file.
  written.frames[1].offset = static_cast<uint32_t>(written.dataBytes + 1000);
  const std::vector<uint8_t> index = BuildSampleIndex(written);
  dir_.Write(written.indexPath.filename().string(), std::string(index.begin(), index.end()));
  store_.Videos().clear();
  LoadVideo(written.dataPath.string());
  Open(kViewModeEvent);

  control_->Play();
  Tick(25);
  EXPECT_EQ(CurrentFrame(), 1);
  EXPECT_EQ(control_->Snapshot().frame, 1);
  EXPECT_EQ(Pane(0).frameIndex, 1);
  EXPECT_FALSE(Pane(0).HasPicture());

  control_->Navigator().SetLayout(kLayoutThumbnail);
  control_->Navigator().GoToFrame(2);
  ASSERT_TRUE(Pane(8).HasPicture());
  control_->Navigator().GoToFrame(1);
  EXPECT_EQ(Pane(8).frameIndex, 1);
  EXPECT_FALSE(Pane(8).HasPicture());
  EXPECT_EQ(Pane(9).frameIndex, 2);
  EXPECT_EQ(Pane(7).frameIndex, 0);
}

TEST_F(PlayControlTest, GoToStopsPlayAndSelectsTheRecordingRow) {
  AddVideo(FramesEvery(10, 100));
  AddVideo(FramesEvery(10, 100));
  Open(kViewModeEvent);
  control_->Play();

  control_->GoTo(2, 0);  // one past the loaded recordings
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
  EXPECT_EQ(store_.CurrentIndex(), 0);
  EXPECT_TRUE(loadedList_.rows.empty());

  control_->GoTo(1, 7);
  EXPECT_EQ(loadedList_.rows, std::vector<int>{1});
  EXPECT_EQ(store_.CurrentIndex(), 1);
  EXPECT_EQ(control_->Snapshot().recording, 1);
  EXPECT_EQ(control_->Snapshot().frame, 7);
  control_->GoTo(1, 10);  // frame count: the recording stays, the frame too
  EXPECT_EQ(CurrentFrame(), 7);
  EXPECT_EQ(loadedList_.rows.size(), 1u);
}

TEST_F(PlayControlTest, ARecordingWithoutFramesShowsNoPictureAndNoGValues) {
  AddVideo(FramesEvery(3, 100));
  AddCrashedVideo();
  Open(kViewModeEvent);
  ASSERT_TRUE(Pane(0).HasPicture());

  control_->GoTo(1, 0);
  EXPECT_EQ(store_.CurrentIndex(), 1);
  EXPECT_FALSE(Pane(0).HasPicture());
  EXPECT_EQ(store_.Videos()[1]->CurrentFrameIndex(), -1);
  for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(displays_.GValue(axis), kNoGValue);
  EXPECT_EQ(slideBar_.resets, 1);
  EXPECT_FALSE(backPanel_.mapHasData);
  control_->Play();
  Tick(100);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);  // nothing to play: at its end at once
}

TEST_F(PlayControlTest, DestructionKillsRunningTimers) {
  AddVideo(FramesEvery(10, 100));
  Open(kViewModeEvent);
  control_->Play();
  control_.reset();
  EXPECT_FALSE(timers_.IsTimerRunning(CMgrPlayControl::kVideoTimerId));
  Tick(100);  // nothing left to call
}

// The info panels paint the snapshot, so every step that changes it has
// them repainted: play ticks, steps, Go to and the log records.
TEST_F(PlayControlTest, EveryDisplayUpdateRepaintsTheInfoPanels) {
  AddVideo(FramesEvery(6, 100));
  int repaints = paneView_.infoRepaints;
  const auto repainted = [&] {
    const bool more = paneView_.infoRepaints > repaints;
    repaints = paneView_.infoRepaints;
    return more;
  };
  Open(kViewModeEvent);
  EXPECT_TRUE(repainted()) << "the frame shown first";
  control_->NextFrame();
  EXPECT_TRUE(repainted());
  control_->PreviousFrame();
  EXPECT_TRUE(repainted());
  control_->GoTo(0, 4);
  EXPECT_TRUE(repainted());
  control_->ReversePlay();
  Tick(100);
  EXPECT_TRUE(repainted());
  control_->Stop();
  control_->SetSnapshotGps(GpsBlock::NoPositionYet());
  EXPECT_TRUE(repainted());

  FRAMEINFOLOG record;
  record.time = BaseKey();
  control_->DisplayUpdateForLogRecord(record, record.time);
  EXPECT_TRUE(repainted());
}

TEST(PlaySpeedTextTest, NamesTheSpeedInUseInEitherDirection) {
  EXPECT_EQ(PlaySpeedText(PS_STOP), "");
  EXPECT_EQ(PlaySpeedText(PlayState{0}), "");
  EXPECT_EQ(PlaySpeedText(PlayState{14}), "");
  EXPECT_EQ(PlaySpeedText(PS_PLAY_HALF), "\u00d7\u00bd");
  EXPECT_EQ(PlaySpeedText(PS_REVERSE_HALF), "\u00d7\u00bd");
  EXPECT_EQ(PlaySpeedText(PS_PLAY), "\u00d71");
  EXPECT_EQ(PlaySpeedText(PS_REVERSE), "\u00d71");
  EXPECT_EQ(PlaySpeedText(PS_FAST_2), "\u00d72");
  EXPECT_EQ(PlaySpeedText(PS_FAST_8), "\u00d78");
  EXPECT_EQ(PlaySpeedText(PS_FAST_16), "\u00d716");
  EXPECT_EQ(PlaySpeedText(PS_FAST_REVERSE_4), "\u00d74");
  EXPECT_EQ(PlaySpeedText(PS_FAST_REVERSE_16), "\u00d716");
}

}  // namespace
}  // namespace playback_test
