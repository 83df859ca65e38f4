// The loaded run: its marks, and where Next Event and Previous Event go.

#include <gtest/gtest.h>

#include "PlaybackFixture.h"
#include "playback/LoadedRun.h"

namespace {

TEST(LoadedRunTest, TheEventStepsGoToTheNextAndPreviousMarkByRecordingAndFrame) {
  LoadedRun run;
  run.eventStarts = {{100, 0, 10}, {900, 1, 5}};
  // The second hard moment begins where an event does: one mark there.
  run.hardStarts = {{300, 0, 30}, {900, 1, 5}};
  const std::vector<RunMark> marks = StepMarks(run);
  ASSERT_EQ(marks, (std::vector<RunMark>{{100, 0, 10}, {300, 0, 30}, {900, 1, 5}}));

  struct Case {
    int recording;
    int frame;
    std::optional<RunMark> next;
    std::optional<RunMark> previous;
  };
  const Case cases[] = {
      {0, 0, marks[0], std::nullopt},                                 // before the first mark
      {0, 10, marks[1], std::nullopt},                                // on a mark: the steps leave it
      {0, 20, marks[1], marks[0]},     {0, 500, marks[2], marks[1]},  // on to the next recording
      {1, 0, marks[2], marks[1]},                                     // and back into the one before
      {1, 5, std::nullopt, marks[1]},  {2, 0, std::nullopt, marks[2]},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NextMark(marks, c.recording, c.frame), c.next) << c.recording << "/" << c.frame;
    EXPECT_EQ(PreviousMark(marks, c.recording, c.frame), c.previous) << c.recording << "/" << c.frame;
  }
}

class LoadedRunRecordingsTest : public playback_test::PlaybackTest {};

// A brake across the change of recordings is one moment, found where it
// begins; event marks stand where each run of event frames begins.
TEST_F(LoadedRunRecordingsTest, FindsEventStartsAndHardMomentsOverTheStretch) {
  auto first = playback_test::FramesEvery(4, 500);
  first[1].eventBits = 1;
  first[2].eventBits = 1;
  first[3].gX = -600;
  auto second = playback_test::FramesEvery(4, 500);
  for (auto& f : second) f.offsetMs += 2000;
  second[0].gX = -700;
  AddVideo(first);
  AddVideo(second);
  const LoadedRun run = MakeLoadedRun(store_.Videos(), kDefaultHardG);
  ASSERT_EQ(run.recordings.size(), 2u);
  EXPECT_EQ(run.eventStarts, (std::vector<RunMark>{{playback_test::BaseKey() + 500, 0, 1}}));
  ASSERT_EQ(run.hard.size(), 1u);
  EXPECT_EQ(run.hard[0].recording, 1);
  EXPECT_EQ(run.hard[0].frame, 0);
  EXPECT_EQ(run.hardStarts, (std::vector<RunMark>{{playback_test::BaseKey() + 1500, 0, 3}}));
  EXPECT_EQ(StretchOf(run.recordings, 1).first, 0);
}

}  // namespace
