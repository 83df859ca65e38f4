// The map and the panels beside the picture as the whole engine drives
// them over a generated card: what a selection sends to the page, what is
// left of a load after Close, another card or a failed load, and the log
// view's route, markers and current record.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/ScriptPolicy.h"
#include "mapctrl/MapArgText.h"
#include "mapctrl/MgrMapSync.h"
#include "mapctrl/RecordingMapPageHost.h"
#include "platform/TimeKey.h"
#include "playback/EngineWorld.h"
#include "playback/LoadingDialogModel.h"
#include "playback/LogGps.h"
#include "playback/PlaybackEngine.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"

namespace {

using Names = std::vector<std::string>;

class AllowedScripts final : public ScriptPolicy {
 public:
  bool ScriptsAllowed() const override { return true; }
};

class RecordingBackPanel final : public BackPanelView {
 public:
  void RedrawSpeedReadout(bool withCaption) override { speedCaption = withCaption; }
  void SetMapHasData(bool hasData) override { mapHasData = hasData; }
  bool speedCaption = false;
  bool mapHasData = false;
};

class CountingSlideBar final : public SlideBarView {
 public:
  void ResetToNow() override { ++resets; }
  int resets = 0;
};

Names NamesOf(const std::vector<MapScriptCall>& calls) {
  Names names;
  for (const MapScriptCall& call : calls) names.push_back(call.function);
  return names;
}

class MapFollowsPlaybackTest : public ::testing::Test, protected EngineWorld {
 protected:
  MapFollowsPlaybackTest() {
    clock_.SetLocalNow(MakeTimeKey(kSampleStart) + 86400 * 1000LL);
    host_.OnPageComplete([this] { sync_->OnMapDocumentComplete(); });
    sync_ = std::make_unique<CMgrMapSync>(store_, engine_.Control(), engine_.LogGraph(),
                                          MapSyncPorts{host_, scripts_, prompt_, clock_, ui_});
    PlaybackEngineSinks sinks;
    sinks.playback.map = sync_.get();
    sinks.playback.backPanel = &backPanel_;
    sinks.playback.slideBar = &slideBar_;
    engine_.AttachViews(sinks);
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
    engine_.FillLists();
  }

  LoadOutcome LoadAll(FileListKind kind) {
    engine_.List(kind).SetAllChecked(true);
    return engine_.LoadChecked(kind);
  }

  const MapScriptCall* LastCall(const std::string& function) const {
    for (auto call = host_.calls.rbegin(); call != host_.calls.rend(); ++call) {
      if (call->function == function) return &*call;
    }
    return nullptr;
  }

  AllowedScripts scripts_;
  RecordingMapPageHost host_{[this](int ms) { clock_.Advance(ms); }};
  WaitingLoadingDialogRunner dialogs_;
  PlaybackEngine engine_{store_, settings_, timers_, clock_, prompt_, dialogs_};
  std::unique_ptr<CMgrMapSync> sync_;
  RecordingBackPanel backPanel_;
  CountingSlideBar slideBar_;
};

// The page centres on the chosen frame, gets the route, and the arrow ends
// on the selected recording, never back on the one shown before.
TEST_F(MapFollowsPlaybackTest, SelectingALoadedRecordingCentresThenDrawsItsRouteAndTheArrowStaysOnIt) {
  ASSERT_EQ(LoadAll(FileListKind::kEvent), LoadOutcome::kLoaded);
  ASSERT_TRUE(sync_->IsPageReady());
  for (int recording : {1, 0, 1}) {
    SCOPED_TRACE(recording);
    host_.calls.clear();
    ASSERT_TRUE(engine_.SelectLoadedRecording(recording));
    const Names names = NamesOf(host_.calls);
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names.front(), "doMoveCenter");
    EXPECT_EQ(host_.calls.front().args[2], IndexText(recording));
    const auto draw = std::find(names.begin(), names.end(), "drawRoute");
    ASSERT_NE(draw, names.end());
    EXPECT_EQ(std::count(names.begin(), draw, "clearRoute"), 1);
    EXPECT_GT(std::count(names.begin(), draw, "addSingleRoute"), 1);
    const CInfoEventFile& video = *store_.Videos()[static_cast<size_t>(recording)];
    const GpsBlock& shown = video.Frame(video.CurrentFrameIndex()).gps;
    ASSERT_TRUE(shown.valid);
    EXPECT_EQ(host_.calls.back().function, "doMoveCenter");
    EXPECT_EQ(host_.calls.back().args[0], CoordinateText(shown.LatitudeDegrees()));
  }
}

// Whatever ends a load, every view is back to what it showed at start-up:
// empty panes and graphs, zeros and the time now on the displays and the
// panels, and a map without markers, route or arrow.
TEST_F(MapFollowsPlaybackTest, AfterCloseAnotherCardOrAFailedLoadEveryViewShowsEmpty) {
  struct Ending {
    const char* name;
    std::function<void()> end;
  };
  const std::vector<Ending> endings = {
      {"Close", [this] { engine_.Close(); }},
      {"another card", [this] { engine_.ResetForCard(clock_.LocalNow()); }},
      {"cancelled load",
       [this] {
         dialogs_.SetOnStarted(
             [](LoadingDialogModel&, LoadObserver& observer) { LoadingDialogModel::Cancel(observer); });
         LoadAll(FileListKind::kEvent);
         dialogs_.SetOnStarted(nullptr);
       }},
  };
  for (const FileListKind kind : {FileListKind::kEvent, FileListKind::kNormal, FileListKind::kLog}) {
    for (const Ending& ending : endings) {
      SCOPED_TRACE(std::string(ending.name) + " after load " + std::to_string(static_cast<int>(kind)));
      ASSERT_EQ(LoadAll(kind), LoadOutcome::kLoaded);
      ASSERT_TRUE(backPanel_.mapHasData);
      ASSERT_TRUE(engine_.Control().Snapshot().gps.valid);
      ASSERT_FALSE(store_.MapTriggers().empty() && store_.MapRoute().Route().empty());
      clock_.Advance(60 * 1000);
      const int barResets = slideBar_.resets;
      host_.calls.clear();

      ending.end();

      const DateTime now = clock_.LocalNow();
      const FrameSnapshot& snapshot = engine_.Control().Snapshot();
      EXPECT_EQ(snapshot.time, now);
      EXPECT_FALSE(snapshot.gps.valid);
      EXPECT_EQ(snapshot.recording, -1);
      const DigitDisplays& displays = engine_.Displays();
      EXPECT_EQ(displays.ShownDateTime(), now);
      EXPECT_FALSE(displays.HasData());
      EXPECT_FALSE(displays.Position().valid);
      EXPECT_EQ(displays.GpsSpeed(), 0);
      EXPECT_EQ(displays.GValue(0), 0.0f);
      for (int pane = 0; pane < kPaneCount; ++pane) {
        EXPECT_FALSE(engine_.Control().Navigator().Panes().Pane(pane).HoldsFrame()) << pane;
      }
      EXPECT_EQ(engine_.VideoGraph().PointCount(), 0);
      EXPECT_EQ(engine_.LogGraph().PointCount(), 0);
      EXPECT_FALSE(engine_.LogRecords().HasRecord());
      EXPECT_GT(slideBar_.resets, barResets);
      EXPECT_FALSE(backPanel_.speedCaption);
      EXPECT_FALSE(backPanel_.mapHasData);
      EXPECT_TRUE(store_.MapTriggers().empty());
      EXPECT_TRUE(store_.MapRoute().Route().empty());
      const Names names = NamesOf(host_.calls);
      // A page still loading gets nothing; one that is up loses the markers and the route.
      if (!names.empty()) {
        EXPECT_EQ(names.back(), "noData");
        EXPECT_NE(std::find(names.begin(), names.end(), "clearRoute"), names.end());
      }
      EXPECT_EQ(LastCall("doMoveCenter"), nullptr);
    }
  }
}

// In log view the page gets the logs' route and their event markers, and
// the info panel (the snapshot), the displays and the arrow follow the
// current record.
TEST_F(MapFollowsPlaybackTest, LogViewShowsTheLogsRouteAndFollowsTheCurrentRecord) {
  ASSERT_EQ(LoadAll(FileListKind::kLog), LoadOutcome::kLoaded);
  const Names names = NamesOf(host_.calls);
  EXPECT_GT(std::count(names.begin(), names.end(), "addSingleRoute"), 2);
  EXPECT_EQ(std::count(names.begin(), names.end(), "addRoute"),
            2 * static_cast<long>(store_.MapTriggers().front().TriggerCount()));  // once per page, once per route
  ASSERT_NE(LastCall("drawRoute"), nullptr);

  for (int step = 1; step <= 3; ++step) {
    SCOPED_TRACE(step);
    host_.calls.clear();
    engine_.Next();
    const LogRecordView& records = engine_.LogRecords();
    ASSERT_TRUE(records.HasRecord());
    const FRAMEINFOLOG& record = records.Record();
    ASSERT_TRUE(record.gpsValid);
    const GpsBlock expected = GpsBlockOfLogRecord(record);
    const GpsBlock& shown = engine_.Control().SnapshotGps();
    EXPECT_EQ(shown.speed, expected.speed);
    EXPECT_EQ(shown.latSec, expected.latSec);
    EXPECT_EQ(shown.lonSec, expected.lonSec);
    EXPECT_EQ(engine_.Displays().Position().latSec, expected.latSec);
    const MapScriptCall* arrow = LastCall("doMoveCenter");
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->args[0], CoordinateText(record.lat));
    EXPECT_EQ(arrow->args[1], CoordinateText(record.lon));
  }
}

}  // namespace
