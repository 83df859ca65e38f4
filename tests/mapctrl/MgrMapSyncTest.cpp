// The map synchronisation over a play controller with hand-made recordings
// and a page host that records the script calls: the commands of a page
// load and their texts, the arrow, the busy guard, the page wait and its
// failure, the script-policy warning and the posted update message.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/ScriptPolicy.h"
#include "mapctrl/MgrMapSync.h"
#include "mapctrl/RecordingMapPageHost.h"
#include "playback/PlaybackFixture.h"
#include "support/CommaLocale.h"

namespace {

using playback_test::FrameRecipe;
using playback_test::FramesEvery;
using Names = std::vector<std::string>;

// The default position of a hand-made frame: 48 07' N, 11 31' E.
const char* const kLatitude = "48.116667";
const char* const kLongitude = "11.516667";

class SettableScripts final : public ScriptPolicy {
 public:
  bool ScriptsAllowed() const override { return allowed; }
  bool allowed = true;
};

std::vector<FrameRecipe> WithFix(std::vector<FrameRecipe> frames, int trigger = -1) {
  for (FrameRecipe& f : frames) f.gps = true;
  if (trigger >= 0) frames[static_cast<size_t>(trigger)].kind = kTriggerFrameKind;
  return frames;
}

Names NamesOf(const std::vector<MapScriptCall>& calls) {
  Names names;
  for (const MapScriptCall& call : calls) names.push_back(call.function);
  return names;
}

// The calls of the markers, the current recording's route and the arrow,
// without those of the run coloured by speed that follow them.
Names RecordingRouteNamesOf(const std::vector<MapScriptCall>& calls) {
  Names names = NamesOf(calls);
  std::erase_if(names, [](const std::string& name) { return name.find("Speed") != std::string::npos; });
  return names;
}

class MgrMapSyncTest : public playback_test::PlaybackTest {
 protected:
  MgrMapSyncTest() {
    host_.OnPageComplete([this] { sync_.OnMapDocumentComplete(); });
    sinks_.map = &sync_;
    control_->AttachSinks(sinks_);
  }

  // What a video load does: the policy check, the markers, the selection
  // of the first recording, then the page and the wait for it.
  void LoadVideos(ViewMode viewMode, int frame) {
    app_.viewMode = viewMode;
    sync_.CheckMapSecurity();
    sync_.MakeTriggerPoints();
    Open(viewMode, frame);
    sync_.ShowLoadedData();
  }

  SettableScripts scripts_;
  RecordingMapPageHost host_{[this](int ms) { clock_.Advance(ms); }};
  CMgrMapSync sync_{store_, *control_, logGraph_, MapSyncPorts{host_, scripts_, prompt_, clock_, ui_}};
};

TEST_F(MgrMapSyncTest, PageLoadSendsMarkersThenRouteThenArrowWithCTexts) {
  const CommaLocale comma;
  ASSERT_TRUE(comma.Active());
  AddVideo(WithFix(FramesEvery(12, 500), 6));
  AddVideo(WithFix(FramesEvery(6, 500), 3));
  LoadVideos(kViewModeEvent, 6);

  EXPECT_EQ(host_.addresses, (Names{"http://localhost:9865"}));
  EXPECT_TRUE(sync_.IsPageReady());
  const Names expected{"initialize",      "addRoute",       "addRoute",       "clearRoute",     "addRoute",
                       "addRoute",        "addSingleRoute", "addSingleRoute", "addSingleRoute", "addSingleRoute",
                       "addSingleRoute",  "addSingleRoute", "addSingleRoute", "drawRoute",      "doMoveCenter",
                       "beginSpeedRoute", "addSpeedRoute",  "drawSpeedRoute"};
  EXPECT_EQ(NamesOf(host_.calls), expected);
  EXPECT_EQ(host_.completionCalls, host_.calls);  // nothing went out before the page was there
  const auto& calls = host_.calls;
  EXPECT_EQ(calls[0].args, (Names{host_.programFolder}));
  EXPECT_EQ(calls[1].args, (Names{kLatitude, kLongitude, "0", "6", "2"}));
  EXPECT_EQ(calls[2].args, (Names{kLatitude, kLongitude, "1", "3", "2"}));
  EXPECT_TRUE(calls[3].args.empty());
  // One route point a second of the 12 frames half a second apart, and the
  // last frame once more.
  std::vector<std::string> routeFrames;
  for (size_t i = 6; i <= 12; ++i) routeFrames.push_back(calls[i].args[3]);
  EXPECT_EQ(routeFrames, (Names{"0", "2", "4", "6", "8", "10", "11"}));
  EXPECT_EQ(calls[13].args, (Names{"0"}));
  // A single trigger point gives (1 x 401) / 600 = 0 as the arrow's point.
  EXPECT_EQ(calls[14].args, (Names{kLatitude, kLongitude, "0", "0"}));
  EXPECT_EQ(sync_.State(), CMgrMapSync::kMapStateFollow);
  // The whole run in one piece: a point a second of each recording and its last.
  EXPECT_EQ(std::count(calls[16].args[0].begin(), calls[16].args[0].end(), ';'), 7 + 4 - 1);
}

TEST_F(MgrMapSyncTest, NoPositionAnywhereSendsNoMarkerAndNoData) {
  AddVideo(FramesEvery(4, 500));
  app_.viewMode = kViewModeNormal;
  sync_.CheckMapSecurity();  // left enabled by an earlier load
  sync_.MakeTriggerPoints();
  EXPECT_TRUE(store_.MapTriggers().empty());
  Open(kViewModeNormal);
  sync_.ShowLoadedData();
  EXPECT_EQ(NamesOf(host_.calls), (Names{"initialize", "noData", "clearRoute", "drawRoute", "noData"}));

  // State 1 with nothing to mark: exactly one "noData".
  host_.calls.clear();
  sync_.ShowMap();
  host_.ProcessEventsFor(0);  // the reloaded page completes
  ASSERT_GE(host_.completionCalls.size(), 2u);
  EXPECT_EQ(host_.completionCalls[1].function, "noData");
}

TEST_F(MgrMapSyncTest, ArrowNeedsACurrentPositionAndCarriesTheScaledTriggerCount) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  LoadVideos(kViewModeEvent, 1);
  host_.calls.clear();

  // In log view the single entry holds the event runs: 3 give (3 x 401) / 600 = 2.
  store_.MapTriggers().assign(1, CInfoMapObject{});
  store_.MapTriggers()[0].SetTriggers(std::vector<MAPPOINTINFO>(3));
  sync_.RefreshMap();
  ASSERT_EQ(NamesOf(host_.calls), (Names{"doMoveCenter"}));
  EXPECT_EQ(host_.calls[0].args, (Names{kLatitude, kLongitude, "0", "2"}));

  // Without a fix the current position is recording and frame -1.
  host_.calls.clear();
  control_->SetSnapshotGps(GpsBlock::NoPositionYet());
  sync_.RefreshMap();
  EXPECT_EQ(NamesOf(host_.calls), (Names{"noData"}));

  // With no trigger list at all there is nothing to follow either.
  Open(kViewModeEvent, 2);
  host_.calls.clear();
  store_.MapTriggers().clear();
  sync_.RefreshMap();
  EXPECT_EQ(NamesOf(host_.calls), (Names{"noData"}));
}

TEST_F(MgrMapSyncTest, UpdateMessageIsPostedAndNeverNests) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  LoadVideos(kViewModeEvent, 1);
  host_.calls.clear();

  sync_.PostPositionMoved();
  EXPECT_TRUE(host_.calls.empty());  // posted, not sent
  ui_.Drain();
  EXPECT_EQ(NamesOf(host_.calls), (Names{"doMoveCenter"}));

  // The page's arrow call lets another update message in: it is turned
  // away while the first runs.
  host_.calls.clear();
  std::vector<int> nested;
  host_.onCall = [&](const MapScriptCall&) { nested.push_back(sync_.OnMapSyncWorkingMap()); };
  EXPECT_EQ(sync_.OnMapSyncWorkingMap(), 1);
  EXPECT_EQ(nested, (std::vector<int>{0}));
  EXPECT_EQ(NamesOf(host_.calls), (Names{"doMoveCenter"}));
  host_.onCall = nullptr;
  EXPECT_EQ(sync_.OnMapSyncWorkingMap(), 1);  // free again

  // A message still queued when the map synchronisation is gone does nothing.
  host_.calls.clear();
  {
    CMgrMapSync other(store_, *control_, logGraph_, MapSyncPorts{host_, scripts_, prompt_, clock_, ui_});
    other.PostPositionMoved();
  }
  ui_.Drain();
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(MgrMapSyncTest, PageThatDoesNotComeWithinTenSecondsDisablesTheMapUntilTheNextLoad) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  host_.pagesComplete = false;
  LoadVideos(kViewModeEvent, 1);

  EXPECT_GT(host_.waitedMs, CMgrMapSync::kPageWaitMs);
  EXPECT_LE(host_.waitedMs, CMgrMapSync::kPageWaitMs + 100);
  EXPECT_EQ(host_.fallbacks, 1);
  EXPECT_FALSE(sync_.IsMapEnabled());
  EXPECT_FALSE(sync_.InUse());
  EXPECT_FALSE(sync_.IsPageReady());

  // The page arriving late is not taken, and nothing goes out.
  sync_.OnMapDocumentComplete();
  sync_.RefreshMap();
  sync_.OnMapSyncWorkingMap();
  EXPECT_TRUE(host_.calls.empty());

  // The next load checks again and reloads the page.
  host_.pagesComplete = true;
  LoadVideos(kViewModeEvent, 1);
  EXPECT_EQ(host_.addresses.size(), 2u);
  EXPECT_TRUE(sync_.IsMapEnabled());
  ASSERT_FALSE(host_.calls.empty());
  EXPECT_EQ(host_.calls.front().function, "initialize");
  EXPECT_EQ(host_.serverStarts, 1);  // the server runs on
}

TEST_F(MgrMapSyncTest, CompletedPageWithoutDocumentOrFailingInitializeSendsNothingElse) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  host_.offersDocument = false;
  LoadVideos(kViewModeEvent, 1);
  EXPECT_EQ(host_.fallbacks, 1);
  EXPECT_FALSE(sync_.IsMapEnabled());
  EXPECT_EQ(host_.waitedMs, 0);  // the wait ended with the failure
  EXPECT_TRUE(host_.calls.empty());

  // "initialize" failing leaves the page unready: every later command is dropped.
  host_.offersDocument = true;
  host_.failing = {"initialize"};
  LoadVideos(kViewModeEvent, 1);
  EXPECT_EQ(NamesOf(host_.calls), (Names{"initialize"}));
  EXPECT_FALSE(sync_.IsPageReady());
}

TEST_F(MgrMapSyncTest, FailedCommandIsNotRetriedAndTheNextOneGoesOut) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  AddVideo(WithFix(FramesEvery(4, 500), 2));
  host_.failing = {"addRoute", "clearRoute"};
  LoadVideos(kViewModeEvent, 1);
  const Names names = RecordingRouteNamesOf(host_.calls);
  EXPECT_EQ(std::count(names.begin(), names.end(), "addRoute"), 4);
  EXPECT_EQ(names.back(), "doMoveCenter");
}

TEST_F(MgrMapSyncTest, BlockedScriptsWarnOnceAndLeaveTheMapOff) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  scripts_.allowed = false;
  LoadVideos(kViewModeEvent, 1);
  LoadVideos(kViewModeEvent, 1);
  ASSERT_EQ(prompt_.ShownBoxes().size(), 1u);
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Korvane");
  EXPECT_EQ(prompt_.ShownBoxes()[0].text.rfind("Because the Internet security level can not display the map. \n\n", 0),
            0u);
  EXPECT_FALSE(sync_.IsMapEnabled());
  EXPECT_FALSE(sync_.IsServerStarted());
  EXPECT_TRUE(host_.addresses.empty());

  // Once a check found scripts allowed, the next block warns again.
  scripts_.allowed = true;
  sync_.CheckMapSecurity();
  EXPECT_TRUE(sync_.IsMapEnabled());
  scripts_.allowed = false;
  sync_.CheckMapSecurity();
  EXPECT_EQ(prompt_.ShownBoxes().size(), 2u);
}

TEST_F(MgrMapSyncTest, ServerPortAndQuitDuringTheWait) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  host_.busyPorts = 2;
  host_.quitting = true;
  LoadVideos(kViewModeEvent, 1);
  EXPECT_EQ(sync_.Port(), 9867);
  EXPECT_EQ(host_.addresses, (Names{"http://localhost:9867"}));
  // Quitting ends the wait without giving up the page.
  EXPECT_EQ(host_.fallbacks, 0);
  EXPECT_TRUE(sync_.IsMapEnabled());
}

TEST_F(MgrMapSyncTest, ReloadedPageGetsTheMarkersAgainAndTheOldOneNothing) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  LoadVideos(kViewModeEvent, 1);
  host_.calls.clear();

  // The next load reloads the page: nothing goes to the one on its way out,
  // and the new one gets the markers when it completes.
  sync_.CheckMapSecurity();
  sync_.MakeTriggerPoints();
  Open(kViewModeEvent, 2);
  host_.calls.clear();
  sync_.ShowLoadedData();
  EXPECT_TRUE(host_.calls.empty());
  sync_.RefreshMap();
  EXPECT_TRUE(host_.calls.empty());
  host_.ProcessEventsFor(0);
  const Names names = RecordingRouteNamesOf(host_.calls);
  ASSERT_GE(names.size(), 3u);
  EXPECT_EQ(names[0], "initialize");
  EXPECT_EQ(names[1], "addRoute");
  EXPECT_EQ(names.back(), "doMoveCenter");
}

TEST_F(MgrMapSyncTest, MarkerClickGoesToTheRecordingAndMovesTheArrow) {
  AddVideo(WithFix(FramesEvery(4, 500), 1));
  std::vector<FrameRecipe> second = WithFix(FramesEvery(6, 500), 2);
  for (FrameRecipe& f : second) f.latitude = 3510.0;  // 35 10' N
  AddVideo(second);
  LoadVideos(kViewModeEvent, 1);
  host_.calls.clear();

  sync_.OnMarkerClicked(1, 4);
  EXPECT_EQ(store_.CurrentIndex(), 1);
  EXPECT_EQ(CurrentFrame(), 4);
  const Names names = NamesOf(host_.calls);
  ASSERT_FALSE(names.empty());
  EXPECT_NE(std::find(names.begin(), names.end(), "drawRoute"), names.end());
  EXPECT_EQ(host_.calls.back().function, "doMoveCenter");
  EXPECT_EQ(host_.calls.back().args, (Names{"35.166667", kLongitude, "1", "0"}));
}

}  // namespace
