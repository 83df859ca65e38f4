// Continuous play: where play goes on at an end of a recording of the
// loaded run, and the play controller going on there at the same state.

#include <gtest/gtest.h>

#include "PlaybackFixture.h"
#include "playback/ContinuousPlay.h"

namespace {

constexpr int64_t kMinute = 60000;

// Three one-minute recordings; the third starts `gap` ms after the second
// ends.
std::vector<RunRecording> ThreeMinutes(int64_t gap) {
  return {
      {0, kMinute - 100, 600}, {kMinute, 2 * kMinute - 100, 600}, {2 * kMinute - 100 + gap, 3 * kMinute + gap, 600}};
}

TEST(ContinuousPlayTest, GoesOnInTheNeighbourThatFollowsByTheTripRule) {
  struct Case {
    const char* what;
    std::vector<RunRecording> recordings;
    int recording;
    bool reverse;
    bool on;
    std::optional<RunStep> step;
  };
  const Case cases[] = {
      {"forward at the end: the next at frame 0", ThreeMinutes(1000), 0, false, true, RunStep{1, 0, kMinute}},
      {"reverse at frame 0: the previous one's last frame", ThreeMinutes(1000), 1, true, true,
       RunStep{0, 599, kMinute - 100}},
      {"a gap of 5 whole seconds still follows", ThreeMinutes(5000), 1, false, true, RunStep{2, 0, 2 * kMinute + 4900}},
      {"a gap of more than 5 s stops", ThreeMinutes(6000), 1, false, true, std::nullopt},
      {"nor does reverse cross it", ThreeMinutes(6000), 2, true, true, std::nullopt},
      {"off stops", ThreeMinutes(1000), 0, false, false, std::nullopt},
      {"the last recording stops", ThreeMinutes(1000), 2, false, true, std::nullopt},
      {"the first recording stops in reverse", ThreeMinutes(1000), 0, true, true, std::nullopt},
      {"a recording without frames ends the run", {{0, 1000, 10}, {0, 0, 0}}, 0, false, true, std::nullopt},
      {"outside the run", ThreeMinutes(1000), 5, false, true, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ContinueRun(c.recordings, c.recording, c.reverse, c.on), c.step) << c.what;
}

using playback_test::FramesEvery;

class ContinuousPlayControlTest : public playback_test::PlaybackTest {
 protected:
  // Two recordings of three frames a second apart, the second starting a
  // second after the first ends; then one 10 s later.
  void LoadRun(bool continuous) {
    auto second = FramesEvery(3, 1000);
    for (auto& f : second) f.offsetMs += 3000;
    auto apart = FramesEvery(3, 1000);
    for (auto& f : apart) f.offsetMs += 15000;
    AddVideo(FramesEvery(3, 1000));
    AddVideo(second);
    AddVideo(apart);
    control_->Navigator().SetRunSettings([continuous] { return continuous; }, [] { return kDefaultHardG; });
    control_->Navigator().UpdateRun();
    Open(kViewModeNormal);
  }
};

TEST_F(ContinuousPlayControlTest, PlaysThroughTheRunAndStopsWhereItEnds) {
  LoadRun(true);
  // The bar spans the first two recordings, which follow one another.
  EXPECT_EQ(slideBar_.range, (std::vector<int>{0, 5}));
  control_->Play();
  Tick(2500);
  EXPECT_EQ(store_.CurrentIndex(), 1);
  EXPECT_EQ(control_->CurrentPlayState(), PS_PLAY);
  EXPECT_EQ(loadedList_.rows.back(), 1);
  Tick(4000);
  EXPECT_EQ(store_.CurrentIndex(), 1) << "10 s to the third: the run ends";
  EXPECT_EQ(CurrentFrame(), 2);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);

  control_->ReversePlay();
  Tick(2500);
  EXPECT_EQ(store_.CurrentIndex(), 0);
  EXPECT_EQ(control_->CurrentPlayState(), PS_REVERSE);
}

TEST_F(ContinuousPlayControlTest, OffStopsAtTheEndOfEachRecording) {
  LoadRun(false);
  EXPECT_EQ(slideBar_.range, (std::vector<int>{0, 2}));
  control_->Play();
  Tick(4000);
  EXPECT_EQ(store_.CurrentIndex(), 0);
  EXPECT_EQ(CurrentFrame(), 2);
  EXPECT_EQ(control_->CurrentPlayState(), PS_STOP);
}

}  // namespace
