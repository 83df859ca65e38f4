// The play, view, graph and file-list commands on a real engine over a
// generated card: their enabling rules follow what is loaded, and a key, a
// menu item and a button of one command do the same.

#include <gtest/gtest.h>

#include <memory>

#include "base/CommandIds.h"
#include "platform/TimeKey.h"
#include "playback/EngineWorld.h"
#include "playback/PlaybackCommands.h"
#include "playback/PlaybackEngine.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "recording/InfoEventFile.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"

namespace {

class RecordingSearch final : public SearchCommands {
 public:
  explicit RecordingSearch(PlaybackEngine& engine) : engine_(engine) {}
  void LoadKind(FileListKind kind) override {
    engine_.List(kind).SetAllChecked(true);
    engine_.LoadChecked(kind);
  }
  void SetAllChecked(bool checked) override { allChecked = checked; }
  bool allChecked = false;

 private:
  PlaybackEngine& engine_;
};

class PlaybackCommandsTest : public ::testing::Test, protected EngineWorld {
 protected:
  PlaybackCommandsTest() {
    clock_.SetLocalNow(MakeTimeKey(kSampleStart) + 86400 * 1000LL);
    AddPlaybackCommands(table_, context_);
  }

  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 1;
    options.eventSeconds = 4;
    options.fps = 5;
    options.width = 64;
    options.height = 48;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", options, &card_, &error)) << error;
    ASSERT_TRUE(store_.ChooseRoot((dir_ / "card").string()));
    store_.Scan();
    engine_.FillLists();
  }

  CommandState State() const { return CommandStateOf(app_, store_, engine_.Control().Navigator().Layout()); }
  bool Run(int id) { return table_.Run(id, State()); }
  int CurrentFrame() const { return store_.Videos()[static_cast<size_t>(store_.CurrentIndex())]->CurrentFrameIndex(); }

  WaitingLoadingDialogRunner dialogs_;
  PlaybackEngine engine_{store_, settings_, timers_, clock_, prompt_, dialogs_};
  RecordingSearch search_{engine_};
  PlaybackCommandContext context_{engine_, search_};
  CommandTable table_;
};

TEST_F(PlaybackCommandsTest, WithNothingLoadedTheGraphAndViewCommandsAreOff) {
  const CommandState state = State();
  EXPECT_FALSE(state.DataLoaded());
  for (int id : {kIdZoomIn, kIdZoomOut, kIdDefaultGraph, kIdFileList, kIdSingleView, kIdThumbView})
    EXPECT_FALSE(table_.IsEnabled(id, state)) << id;
  EXPECT_TRUE(table_.IsEnabled(kIdPlay, state));
  EXPECT_TRUE(state.cardHasLogs);
  EXPECT_TRUE(table_.IsShown(kIdFileLoadLog, state));
}

TEST_F(PlaybackCommandsTest, AVideoLoadTurnsOnTheThumbnailViewAndTheViewCommandsSwapOver) {
  ASSERT_TRUE(Run(kIdAccelLoadEvent));
  EXPECT_EQ(app_.viewMode, kViewModeEvent);
  CommandState state = State();
  EXPECT_TRUE(state.videoLoaded);
  EXPECT_TRUE(table_.IsEnabled(kIdZoomIn, state));
  EXPECT_TRUE(table_.IsEnabled(kIdThumbView, state));
  EXPECT_FALSE(table_.IsEnabled(kIdSingleView, state));

  ASSERT_TRUE(Run(kIdViewLayoutThumb));
  state = State();
  EXPECT_EQ(state.layout, kLayoutThumbnail);
  EXPECT_TRUE(table_.IsEnabled(kIdSingleView, state));
  EXPECT_FALSE(Run(kIdThumbView)) << "already in the thumbnail view";
  ASSERT_TRUE(Run(kIdSingleView));
  EXPECT_EQ(State().layout, kLayoutSingle);

  // Display File List closes what is loaded; then it is off again.
  ASSERT_TRUE(Run(kIdFileList));
  EXPECT_EQ(app_.viewMode, kViewModeNone);
  EXPECT_FALSE(table_.IsEnabled(kIdFileList, State()));
}

TEST_F(PlaybackCommandsTest, TheKeyTheMenuItemAndTheButtonOfAStepDoTheSame) {
  ASSERT_TRUE(Run(kIdFileLoadEvent));
  const int start = CurrentFrame();
  ASSERT_TRUE(Run(kIdAccelRight));
  EXPECT_EQ(CurrentFrame(), start + 1);
  ASSERT_TRUE(Run(kIdPlayNextFrame));
  ASSERT_TRUE(Run(kIdNext));
  EXPECT_EQ(CurrentFrame(), start + 3);
  ASSERT_TRUE(Run(kIdAccelLeft));
  ASSERT_TRUE(Run(kIdPlayPreviousFrame));
  ASSERT_TRUE(Run(kIdPrevious));
  EXPECT_EQ(CurrentFrame(), start);
}

TEST_F(PlaybackCommandsTest, InTheLogLayoutTheViewButtonsHideAndTheThumbnailViewIsOff) {
  ASSERT_TRUE(Run(kIdAccelLoadLog));
  const CommandState state = State();
  EXPECT_TRUE(state.logLoaded);
  EXPECT_FALSE(state.videoLoaded);
  EXPECT_TRUE(table_.IsEnabled(kIdZoomIn, state));
  EXPECT_FALSE(table_.IsEnabled(kIdThumbView, state));
  EXPECT_FALSE(ViewButtonsShown(state));
}

TEST_F(PlaybackCommandsTest, ACardWithoutLogsHasNoLogLoad) {
  app_.hasLogs = false;
  EXPECT_FALSE(table_.IsShown(kIdFileLoadLog, State()));
  EXPECT_FALSE(Run(kIdAccelLoadLog));
  EXPECT_EQ(app_.viewMode, kViewModeNone);
}

TEST_F(PlaybackCommandsTest, SelectAllAndUnselectAllGoToTheSearchWindow) {
  ASSERT_TRUE(Run(kIdAccelSelectAll));
  EXPECT_TRUE(search_.allChecked);
  ASSERT_TRUE(Run(kIdEditUnselectAll));
  EXPECT_FALSE(search_.allChecked);
}

}  // namespace
