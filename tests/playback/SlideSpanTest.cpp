// The slide bar's red span in a normal run: whole seconds from the bar's
// base to the current recording's last frame, and none whenever there is no
// such frame to reach or it lies before the base.

#include <gtest/gtest.h>

#include "base/AppState.h"
#include "playback/PlaybackFixture.h"
#include "playback/SlideSpan.h"

namespace playback_test {
namespace {

constexpr int kStepMs = 1000;

class SlideSpanTest : public PlaybackTest {};

TEST_F(SlideSpanTest, ReachesFromTheBaseToTheCurrentRecordingsLastFrameInWholeSeconds) {
  AddVideo(FramesEvery(2, kStepMs));                     // last frame at +1 s
  const int longer = AddVideo(FramesEvery(4, kStepMs));  // last frame at +3 s
  store_.SetCurrentIndex(longer);

  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey()), 3);
  // Part seconds are dropped, not rounded.
  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey() + 500), 2);
  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey() + 2999), 0);
  // A last frame right on the base still spans; one before it does not.
  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey() + 3000), 0);
  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey() + 3001), std::nullopt);

  // The span follows the current recording, not the longest one.
  store_.SetCurrentIndex(0);
  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey()), 1);
}

TEST_F(SlideSpanTest, OnlyANormalRunHasASpan) {
  store_.SetCurrentIndex(AddVideo(FramesEvery(3, kStepMs)));
  for (ViewMode mode : {kViewModeNone, kViewModeEvent, kViewModeLog})
    EXPECT_EQ(FileSpanEnd(store_, mode, BaseKey()), std::nullopt) << static_cast<int>(mode);
}

TEST_F(SlideSpanTest, NoSpanWithoutACurrentRecordingThatHasFrames) {
  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey()), std::nullopt);  // empty store

  AddVideo(FramesEvery(3, kStepMs));
  const int crashed = AddCrashedVideo();
  for (int current : {-1, crashed + 1, crashed}) {
    store_.SetCurrentIndex(current);
    EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey()), std::nullopt) << current;
  }

  // An emptied entry is passed over, not read.
  store_.Videos()[static_cast<size_t>(crashed)].reset();
  EXPECT_EQ(FileSpanEnd(store_, kViewModeNormal, BaseKey()), std::nullopt);
}

}  // namespace
}  // namespace playback_test
