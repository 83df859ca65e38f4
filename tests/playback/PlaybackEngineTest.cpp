// The engine joined to a real store over a small generated card: what a
// load of each kind reaches (panes, displays, graphs, log pane), play on the
// fake clock, the graphs' clicks, the slide bar, the log search, Close and
// the scale commands acting on both graphs.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "base/AppSetting.h"
#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "playback/EngineWorld.h"
#include "playback/LoadingDialogModel.h"
#include "playback/PlaybackEngine.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"

namespace {

constexpr int kPlotWidth = 1000;

class FakeWindow final : public EngineWindowView {
 public:
  void RepaintLogInfo() override { ++logInfoRepaints; }
  void ShowFileLists(FileListKind kind, bool withLogTab) override {
    ++listsShown;
    shownKind = kind;
    logTab = withLogTab;
  }
  int logInfoRepaints = 0;
  int listsShown = 0;
  FileListKind shownKind = FileListKind::kEvent;
  bool logTab = false;
};

class FakeSearch final : public SearchWindowView {
 public:
  void ShowLoadedRecordings(const std::vector<LoadedListRow>& rows, int, bool markers) override {
    recordingRows = static_cast<int>(rows.size());
    withMarkers = markers;
  }
  void ShowLoadedLogs(const std::vector<LoadedListRow>& rows, int) override { logRows = static_cast<int>(rows.size()); }
  int recordingRows = 0;
  int logRows = 0;
  bool withMarkers = false;
};

class FakeLoadedList final : public LoadedListView {
 public:
  void SelectLoadedLogRow(int log) override { logRows.push_back(log); }
  std::vector<int> logRows;
};

class CountingGraph final : public GraphView {
 public:
  void Repaint() override { ++repaints; }
  int repaints = 0;
};

class PlaybackEngineTest : public ::testing::Test, protected EngineWorld {
 protected:
  PlaybackEngineTest() {
    clock_.SetLocalNow(MakeTimeKey(kSampleStart) + 86400 * 1000LL);
    sinks_.playback.loadedList = &loadedList_;
    sinks_.search = &search_;
    sinks_.videoGraph = &videoGraphView_;
    sinks_.logGraph = &logGraphView_;
    sinks_.window = &window_;
    engine_ = std::make_unique<PlaybackEngine>(store_, settings_, timers_, clock_, prompt_, dialogs_, sinks_);
  }

  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 2;
    options.eventSeconds = 4;
    options.fps = 5;
    options.width = 64;
    options.height = 48;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", options, &card_, &error)) << error;
    ASSERT_TRUE(store_.ChooseRoot((dir_ / "card").string()));
    store_.Scan();
    engine_->FillLists();
    ASSERT_EQ(engine_->List(FileListKind::kEvent).RowCount(), 2);
  }

  LoadOutcome LoadAll(FileListKind kind) {
    engine_->List(kind).SetAllChecked(true);
    return engine_->LoadChecked(kind);
  }

  const SampleVideo& Sample(const std::string& dataPath) const {
    for (const SampleVideo& video : card_.videos)
      if (video.dataPath == dataPath) return video;
    ADD_FAILURE() << "no sample " << dataPath;
    return card_.videos.front();
  }

  CInfoEventFile& Current() { return *store_.Videos()[static_cast<size_t>(store_.CurrentIndex())]; }
  int CurrentFrame() { return Current().CurrentFrameIndex(); }
  const PaneContent& Pane0() const { return engine_->Control().Navigator().Panes().Pane(0); }
  // The plot x of a point, half a second on so the whole-second pick of
  // log mode lands on it.
  static int XOf(const GSensorGraphModel& graph, int point, int64_t afterMs = 0) {
    return graph.XAtTime(graph.Point(point).time + afterMs, kPlotWidth);
  }

  WaitingLoadingDialogRunner dialogs_;
  FakeWindow window_;
  FakeSearch search_;
  FakeLoadedList loadedList_;
  CountingGraph videoGraphView_;
  CountingGraph logGraphView_;
  PlaybackEngineSinks sinks_;
  std::unique_ptr<PlaybackEngine> engine_;
};

TEST_F(PlaybackEngineTest, EventLoadShowsTheTriggerFramePlaysAndFollowsGraphClicks) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  EXPECT_EQ(store_.App().viewMode, kViewModeEvent);
  EXPECT_EQ(search_.recordingRows, 2);
  ASSERT_EQ(store_.CurrentIndex(), 0);

  // The first recording stands at its trigger frame, in the picture pane,
  // on the displays and under the graph's cursor.
  const int trigger = Sample(store_.Catalogue().event[0]).triggerFrame;
  ASSERT_GT(trigger, 0);
  EXPECT_EQ(CurrentFrame(), trigger);
  EXPECT_EQ(Pane0().frameIndex, trigger);
  EXPECT_TRUE(Pane0().HasPicture());
  EXPECT_EQ(engine_->Displays().ShownDateTime(), Current().Frame(trigger).time);
  EXPECT_TRUE(engine_->Displays().HasData());
  const GSensorGraphModel& graph = engine_->VideoGraph();
  EXPECT_EQ(graph.PointCount(), Current().FrameCount());
  EXPECT_EQ(graph.CurrentIndex(), trigger);

  // One second of play at 5 frames a second moves picture and cursor on.
  engine_->Play();
  timers_.Advance(1000);
  EXPECT_GT(CurrentFrame(), trigger + 2);
  EXPECT_EQ(Pane0().frameIndex, CurrentFrame());
  EXPECT_EQ(graph.CurrentIndex(), CurrentFrame());

  // A click at the graph's start stops play and shows the first frame.
  engine_->VideoGraph().OnPlotRelease(0, kPlotWidth);
  EXPECT_EQ(engine_->Control().CurrentPlayState(), PS_STOP);
  EXPECT_EQ(CurrentFrame(), 0);
  EXPECT_EQ(Pane0().frameIndex, 0);
  EXPECT_EQ(graph.CurrentIndex(), 0);

  // The loaded-recordings row of the second recording selects it.
  EXPECT_TRUE(engine_->SelectLoadedRecording(1));
  EXPECT_EQ(store_.CurrentIndex(), 1);
  EXPECT_EQ(Pane0().recording, 1);
  EXPECT_EQ(graph.PointCount(), Current().FrameCount());
}

TEST_F(PlaybackEngineTest, ScaleCommandsActOnBothGraphsAndTheSpeedSourceIsReadEachTime) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  const GSensorGraphModel& video = engine_->VideoGraph();
  const GSensorGraphModel& log = engine_->LogGraph();
  const float before = video.Maximum();
  const int videoRepaints = videoGraphView_.repaints;
  const int logRepaints = logGraphView_.repaints;

  engine_->SetScale(4);
  EXPECT_NE(video.Maximum(), before);
  EXPECT_EQ(log.Maximum(), video.Maximum());
  EXPECT_GT(videoGraphView_.repaints, videoRepaints);
  EXPECT_GT(logGraphView_.repaints, logRepaints);

  engine_->ZoomIn();
  EXPECT_EQ(log.ZoomLevel(), video.ZoomLevel());
  EXPECT_EQ(log.Maximum(), video.Maximum());
  engine_->ZoomDefault();
  EXPECT_EQ(log.ZoomLevel(), video.ZoomLevel());
  EXPECT_EQ(log.Minimum(), video.Minimum());

  // The speed source is read from the settings at each ask.
  ASSERT_TRUE(settings_.SetDisplaySpeed(kDisplaySpeedPulse));
  EXPECT_EQ(engine_->CurrentSpeedSource().displaySpeed, kDisplaySpeedPulse);
  ASSERT_TRUE(settings_.SetDisplaySpeed(kDisplaySpeedGps));
  EXPECT_EQ(engine_->CurrentSpeedSource().displaySpeed, kDisplaySpeedGps);
}

TEST_F(PlaybackEngineTest, NormalLoadSeeksBySlideBarAndCloseReturnsToTheLists) {
  ASSERT_EQ(LoadAll(FileListKind::kNormal), LoadOutcome::kLoaded);
  EXPECT_EQ(store_.App().viewMode, kViewModeNormal);
  EXPECT_TRUE(search_.withMarkers);
  EXPECT_EQ(CurrentFrame(), 0);
  const SlideBarSpan& bar = engine_->Control().Navigator().SlideBar();
  ASSERT_GE(bar.maxSeconds, 50);

  EXPECT_TRUE(engine_->SeekToTime(30, true));
  const int64_t shownMs = MakeTimeKey(Current().Frame(CurrentFrame()).time) - bar.baseTimeKey;
  EXPECT_GE(shownMs, 30000);
  EXPECT_LT(shownMs, 31000);
  EXPECT_EQ(Pane0().frameIndex, CurrentFrame());
  // The graph plots a window of the recording; its cursor is the frame.
  const GSensorGraphModel& graph = engine_->VideoGraph();
  EXPECT_GT(graph.WindowStart(), 0);
  EXPECT_EQ(graph.WindowStart() + graph.CurrentIndex(), CurrentFrame());

  // A click near the window's edge is one seek, to the frame clicked, though
  // the window is cut anew around it.
  const int clicked = graph.WindowStart() + 5;
  const int x = XOf(graph, 5, 100);  // inside the frame's interval
  engine_->VideoGraph().OnPlotPress(x, kPlotWidth);
  engine_->VideoGraph().OnPlotRelease(x, kPlotWidth);
  EXPECT_EQ(CurrentFrame(), clicked);
  EXPECT_EQ(graph.WindowStart() + graph.CurrentIndex(), clicked);

  engine_->Close();
  EXPECT_EQ(window_.listsShown, 1);
  EXPECT_EQ(window_.shownKind, FileListKind::kNormal);
  EXPECT_TRUE(window_.logTab);
  EXPECT_EQ(store_.App().viewMode, kViewModeNone);
  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_EQ(store_.CurrentIndex(), -1);
  EXPECT_FALSE(Pane0().HasPicture());
  EXPECT_EQ(graph.PointCount(), 0);
  EXPECT_FALSE(engine_->Displays().HasData());
  // With nothing loaded the play commands do nothing.
  engine_->Play();
  EXPECT_EQ(engine_->Control().CurrentPlayState(), PS_STOP);
}

TEST_F(PlaybackEngineTest, ResetForCardClosesTheLoadAndShowsTheTimeNow) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  engine_->Play();
  DateTime now;
  now.year = 2031;
  now.month = 7;
  now.day = 4;
  engine_->ResetForCard(now);
  EXPECT_FALSE(engine_->Control().IsVideoTimerRunning());
  EXPECT_EQ(store_.App().viewMode, kViewModeNone);
  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_FALSE(Pane0().HasPicture());
  EXPECT_EQ(engine_->VideoGraph().PointCount(), 0);
  EXPECT_EQ(engine_->Displays().ShownDateTime().year, 2031);
  EXPECT_FALSE(engine_->Displays().HasData());
}

// The Trip list is read off the user-interface thread: while it is, the
// list holds nothing, and the rows of a read that another card or an
// emptied list overtook never show.
TEST_F(PlaybackEngineTest, TripListRowsComeFromAWorkerAndAnOvertakenReadIsDropped) {
  engine_->WaitForTripList();  // SetUp's read has ended; its rows wait in the queue
  EXPECT_TRUE(engine_->TripListFilling());
  EXPECT_EQ(engine_->List(FileListKind::kTrip).RowCount(), 0);
  EXPECT_TRUE(engine_->Trips().empty());
  // The card goes before they arrive.
  engine_->ClearLists();
  EXPECT_FALSE(engine_->TripListFilling());
  ui_.Drain();
  EXPECT_EQ(engine_->List(FileListKind::kTrip).RowCount(), 0);
  EXPECT_TRUE(engine_->Trips().empty());

  SampleCardOptions options;
  options.events = 0;
  options.normals = 3;
  options.logs = 0;
  options.fps = 5;
  options.width = 64;
  options.height = 48;
  SampleCard other;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir_ / "other", options, &other, &error)) << error;
  ASSERT_TRUE(store_.ChooseRoot((dir_ / "other").string()));
  store_.Scan();
  engine_->FillLists();
  engine_->WaitForTripList();
  ui_.Drain();
  EXPECT_FALSE(engine_->TripListFilling());
  ASSERT_EQ(engine_->Trips().size(), 1u);
  EXPECT_EQ(engine_->Trips()[0].playPaths, store_.Catalogue().normal);
  EXPECT_EQ(engine_->List(FileListKind::kTrip).RowCount(), 1);

  // A refill empties the list at once; the read it overtook is dropped too.
  engine_->FillTripList();
  EXPECT_EQ(engine_->List(FileListKind::kTrip).RowCount(), 0);
  EXPECT_TRUE(engine_->Trips().empty());
  engine_->FillTripList();
  engine_->WaitForTripList();
  ui_.Drain();
  EXPECT_EQ(engine_->List(FileListKind::kTrip).RowCount(), 1);
}

TEST_F(PlaybackEngineTest, CancelledLoadLeavesNothingOfTheEarlierLoadShown) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  dialogs_.SetOnStarted([](LoadingDialogModel&, LoadObserver& observer) { LoadingDialogModel::Cancel(observer); });
  ASSERT_EQ(LoadAll(FileListKind::kNormal), LoadOutcome::kCancelled);
  EXPECT_EQ(store_.App().viewMode, kViewModeNone);
  EXPECT_FALSE(Pane0().HasPicture());
  EXPECT_EQ(engine_->VideoGraph().PointCount(), 0);
  engine_->Next();
  EXPECT_EQ(store_.CurrentIndex(), -1);
}

TEST_F(PlaybackEngineTest, StopAndTheSingleStepsBringTheMapUpToDateWhenItIsInUse) {
  class CountingMap final : public MapView {
   public:
    void RefreshMap() override { ++refreshes; }
    bool InUse() const override { return inUse; }
    int refreshes = 0;
    bool inUse = true;
  } map;
  sinks_.playback.map = &map;
  engine_->AttachViews(sinks_);
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  const int afterLoad = map.refreshes;
  engine_->Next();
  engine_->Previous();
  engine_->Stop();
  EXPECT_EQ(map.refreshes, afterLoad + 3);
  map.inUse = false;
  engine_->Next();
  EXPECT_EQ(map.refreshes, afterLoad + 3);
  sinks_.playback.map = nullptr;
  engine_->AttachViews(sinks_);
}

TEST_F(PlaybackEngineTest, VideoLoadAfterLogsLeavesNoLogRecordShown) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  engine_->SearchFields().speedChecked = true;
  ASSERT_FALSE(engine_->SearchLog().empty());
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  EXPECT_EQ(engine_->LogGraph().PointCount(), 0);
  EXPECT_FALSE(engine_->LogRecords().HasRecord());
  EXPECT_TRUE(engine_->SearchRows().empty());
  EXPECT_EQ(engine_->VideoGraph().Mode(), kViewModeEvent);
  EXPECT_EQ(engine_->VideoGraph().PointCount(), Current().FrameCount());
}

TEST_F(PlaybackEngineTest, LogLoadPlaysStepsClicksAndSearches) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  EXPECT_EQ(store_.App().viewMode, kViewModeLog);
  ASSERT_EQ(store_.Logs().size(), 2U);
  EXPECT_EQ(search_.logRows, 2);
  const GSensorGraphModel& logGraph = engine_->LogGraph();
  const GSensorGraphModel& detail = engine_->VideoGraph();
  const int records0 = store_.Logs()[0]->RecordCount();
  ASSERT_GT(records0, 10);
  EXPECT_EQ(logGraph.PointCount(), records0 + store_.Logs()[1]->RecordCount());

  // Record 0 is shown: the log info texts, the cursor and the detail window.
  const LogRecordView& records = engine_->LogRecords();
  EXPECT_EQ(records.LogIndex(), 0);
  EXPECT_EQ(records.RecordIndex(), 0);
  EXPECT_EQ(records.SelectedLogRow(), 0);
  EXPECT_GT(window_.logInfoRepaints, 0);
  const DateTime first = TimeKeyToDateTime(store_.Logs()[0]->Record(0)->time);
  char clock[32];
  std::snprintf(clock, sizeof clock, "%.2d:%.2d:%.2d", first.hour, first.minute, first.second);
  EXPECT_NE(records.Texts(SpeedUnit::kKmh).recorderTime.value.find(clock), std::string::npos);
  EXPECT_EQ(logGraph.CurrentIndex(), 0);
  EXPECT_EQ(detail.Mode(), kViewModeLog);
  EXPECT_GT(detail.PointCount(), 0);
  EXPECT_EQ(detail.WindowStart() + detail.CurrentIndex(), 0);

  // Log play steps records; the record view and the detail window follow.
  engine_->Play();
  timers_.Advance(3000);
  engine_->Stop();
  const int played = logGraph.CurrentIndex();
  EXPECT_GT(played, 0);
  EXPECT_EQ(records.RecordIndex(), played);
  EXPECT_EQ(detail.WindowStart() + detail.CurrentIndex(), played);
  engine_->Next();
  EXPECT_EQ(logGraph.CurrentIndex(), played + 1);
  EXPECT_EQ(records.RecordIndex(), played + 1);

  // A click on the log graph shows the record of the second log under it
  // and moves the loaded-logs list box along.
  const int target = records0 + 5;
  engine_->LogGraph().OnPlotRelease(XOf(logGraph, target, 500), kPlotWidth);
  EXPECT_EQ(logGraph.CurrentIndex(), target);
  EXPECT_EQ(records.LogIndex(), 1);
  EXPECT_EQ(records.RecordIndex(), 5);
  ASSERT_FALSE(loadedList_.logRows.empty());
  EXPECT_EQ(loadedList_.logRows.back(), 1);
  EXPECT_EQ(detail.WindowStart() + detail.CurrentIndex(), target);

  // A click on the 60-record graph shows the record under it.
  const int detailTarget = detail.WindowStart() + 2;
  engine_->VideoGraph().OnPlotPress(XOf(detail, 2, 500), kPlotWidth);
  engine_->VideoGraph().OnPlotRelease(XOf(detail, 2, 500), kPlotWidth);
  EXPECT_EQ(logGraph.CurrentIndex(), detailTarget);
  EXPECT_EQ(records.RecordIndex(), detailTarget - records0);

  // The search's last result row shows its record, the cursor on it.
  engine_->SearchFields().speedChecked = true;
  engine_->SearchFields().speedText = "1";
  const std::vector<LogSearchRow> rows = engine_->SearchLog();
  ASSERT_FALSE(rows.empty());
  EXPECT_TRUE(engine_->ShowSearchResult(static_cast<int>(rows.size()) - 1));
  EXPECT_EQ(records.LogIndex(), rows.back().log);
  EXPECT_EQ(records.RecordIndex(), rows.back().record);
  const GraphPoint& cursor = logGraph.Point(logGraph.CurrentIndex());
  EXPECT_EQ(cursor.segment, rows.back().log);
  EXPECT_EQ(cursor.time / 1000, records.Record().time / 1000);
  EXPECT_FALSE(engine_->ShowSearchResult(static_cast<int>(rows.size())));

  engine_->Close();
  EXPECT_EQ(window_.shownKind, FileListKind::kLog);
  EXPECT_TRUE(store_.Logs().empty());
  EXPECT_FALSE(records.HasRecord());
  EXPECT_TRUE(engine_->SearchRows().empty());
  EXPECT_EQ(logGraph.PointCount(), 0);
  EXPECT_EQ(detail.PointCount(), 0);
}

// The car-signal lamps and the pulse speed show the frame or record on
// screen: a log record its own, and nothing once the loaded data is let go.
TEST_F(PlaybackEngineTest, TheLampsFollowTheShownFrameOrRecordAndGoWithTheLoad) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  int lit = -1;
  for (int frame = 0; frame < Current().FrameCount() && lit < 0; ++frame)
    if (Current().Frame(frame).signal != 0) lit = frame;
  ASSERT_GE(lit, 0) << "the sample drive never lights a lamp";
  engine_->GoTo(store_.CurrentIndex(), lit);
  ASSERT_NE(engine_->Displays().CarSignal(), 0);

  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  const CInfoLogFile& log = *store_.Logs()[0];
  EXPECT_EQ(engine_->Displays().CarSignal(), log.Record(0)->signal);
  int differing = 1;
  while (differing < log.RecordCount() && log.Record(differing)->signal == log.Record(differing - 1)->signal)
    ++differing;
  ASSERT_LT(differing, log.RecordCount()) << "the sample log never changes its lamps";
  engine_->GoTo(-1, differing);
  EXPECT_EQ(engine_->Displays().CarSignal(), log.Record(differing)->signal);
  // The pulse speed of a record, for the car-pulse source of an MX-H.
  int moving = 0;
  while (moving < log.RecordCount() && store_.PulseToKmh(log.Record(moving)->pulse) == 0) ++moving;
  ASSERT_LT(moving, log.RecordCount()) << "the sample log never counts a pulse";
  engine_->GoTo(-1, moving);
  EXPECT_EQ(engine_->Displays().PulseSpeed(), store_.PulseToKmh(log.Record(moving)->pulse));

  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  engine_->GoTo(store_.CurrentIndex(), lit);
  ASSERT_NE(engine_->Displays().CarSignal(), 0);
  engine_->Close();
  EXPECT_EQ(engine_->Displays().CarSignal(), 0);
}

}  // namespace
