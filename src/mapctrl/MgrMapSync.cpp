#include "mapctrl/MgrMapSync.h"

#include <cstdio>
#include <cstdlib>
#include <span>
#include <utility>
#include <vector>

#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "base/ScriptPolicy.h"
#include "mapctrl/MapArgText.h"
#include "mapctrl/MapPoints.h"
#include "mapctrl/MapRequest.h"
#include "mapctrl/SpeedRoute.h"
#include "platform/Ports.h"
#include "platform/Prompt.h"
#include "platform/Trace.h"
#include "playback/MgrPlayControl.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/GSensorGraphModel.h"

namespace {

// How long WaitMapReady lets the user interface run between two looks at
// the page.
constexpr int kWaitSliceMs = 50;
// The odd scale of the arrow's point argument, which the page ignores.
constexpr int kPointArgNumerator = 401;
constexpr int kPointArgDenominator = 600;
constexpr int64_t kMsPerSecond = 1000;
// A route piece with the call around it stays within what the page's
// server takes of a request.
constexpr size_t kSpeedRoutePieceChars = kMapRequestLimit - 256;

}  // namespace

CMgrMapSync::CMgrMapSync(CMgrDBSearch& store, CMgrPlayControl& control, const GSensorGraphModel& logGraph,
                         const MapSyncPorts& ports)
    : store_(store), control_(control), logGraph_(logGraph), ports_(ports) {}

CMgrMapSync::~CMgrMapSync() { *alive_ = false; }

// ---- the page's commands ----------------------------------------------------

void CMgrMapSync::Send(const char* function, std::vector<std::string> args, const char* failureText) {
  if (!pageReady_) return;
  if (!ports_.host.CallJScript(function, args)) KTRACE("%s", failureText);
}

void CMgrMapSync::MoveCenterMap(int recording, int point, double latitude, double longitude) {
  Send("doMoveCenter", {CoordinateText(latitude), CoordinateText(longitude), IndexText(recording), IndexText(point)},
       "MoveCenterMap () Failed");
}

void CMgrMapSync::SetRouteMap(int recording, int frame, int kind, double latitude, double longitude) {
  Send("addRoute", PointArgTexts(recording, frame, kind, latitude, longitude), "SetRouteMap () Failed");
}

void CMgrMapSync::SetSingleRouteMap(int recording, int frame, int kind, double latitude, double longitude) {
  Send("addSingleRoute", PointArgTexts(recording, frame, kind, latitude, longitude), "SetSingleRouteMap () Failed");
}

void CMgrMapSync::DrawRoute(int recording) { Send("drawRoute", {IndexText(recording)}, "DrawRoute () Failed"); }

void CMgrMapSync::ClearRoute() { Send("clearRoute", {}, "ClearRoute () Failed"); }

void CMgrMapSync::NoData() { Send("noData", {}, "noData () Failed"); }

void CMgrMapSync::ClearSpeedRoute() { Send("clearSpeedRoute", {}, "clearSpeedRoute () Failed"); }

void CMgrMapSync::DrawSpeedRoute() {
  if (store_.App().viewMode != kViewModeEvent && store_.App().viewMode != kViewModeNormal) return;
  const std::vector<TripFrame> frames = LoadedTripFrames();
  const std::vector<SpeedRoutePoint> route = MakeSpeedRoute(frames, speedUnit_);
  if (route.empty()) return;
  Send("beginSpeedRoute", {SpeedLegendJson(speedUnit_)}, "beginSpeedRoute () Failed");
  for (std::string& piece : SpeedRoutePieces(route, kSpeedRoutePieceChars)) {
    Send("addSpeedRoute", {std::move(piece)}, "addSpeedRoute () Failed");
  }
  Send("drawSpeedRoute", {}, "drawSpeedRoute () Failed");
  for (const HardMark& mark : MakeHardMarks(frames, LoadedHardMoments(frames))) {
    char peak[32];
    std::snprintf(peak, sizeof peak, "%.3f", mark.moment.peakG);
    Send("addHardMoment",
         {CoordinateText(mark.latitude), CoordinateText(mark.longitude), IndexText(mark.moment.recording),
          IndexText(mark.moment.frame), HardKindName(mark.moment.kind), peak,
          std::to_string(mark.moment.startMs / kMsPerSecond)},
         "addHardMoment () Failed");
  }
}

std::vector<TripFrame> CMgrMapSync::LoadedTripFrames() const {
  std::vector<TripFrame> frames;
  const auto& videos = store_.Videos();
  for (size_t i = 0; i < videos.size(); ++i) {
    if (videos[i]) AppendTripFrames(videos[i]->Frames(), static_cast<int>(i), frames);
  }
  return frames;
}

std::vector<HardMoment> CMgrMapSync::LoadedHardMoments(const std::vector<TripFrame>& frames) const {
  if (store_.App().viewMode == kViewModeNormal) return FindHardMoments(frames, hardG_);
  std::vector<HardMoment> moments;
  size_t begin = 0;
  while (begin < frames.size()) {
    size_t end = begin;
    while (end < frames.size() && frames[end].recording == frames[begin].recording) ++end;
    const std::span<const TripFrame> one(frames.data() + begin, end - begin);
    for (const HardMoment& m : FindHardMoments(one, hardG_)) moments.push_back(m);
    begin = end;
  }
  return moments;
}

// ---- page life ----------------------------------------------------------------

// The warning comes once per run of blocked checks, and again only after a
// check found scripts allowed.
void CMgrMapSync::CheckMapSecurity() {
  enabled_ = true;
  if (ports_.scripts.ScriptsAllowed()) {
    warned_ = false;
    return;
  }
  if (!warned_) {
    ports_.prompt.Show(GetLangText("Message", "IeSecurityHigh",
                                   "Because the Internet security level can not display the map. \n\n"
                                   "Internet Explorer -> Tools -> Internet Options -> Security Now adjust."),
                       std::string(kApplicationTitle), PromptButtons::Ok);
  }
  warned_ = true;
  enabled_ = false;
}

void CMgrMapSync::ShowMap() {
  const bool firstShow = !serverStarted_;
  if (firstShow) {
    if (!enabled_) return;
    // The page is still navigated to when no server could listen: it then
    // fails to load and the wait gives up on it.
    if (!ports_.host.StartServer(port_)) KTRACE("The map server could not listen on port %d", port_);
    serverStarted_ = true;
  }
  ports_.host.Navigate("http://localhost:" + std::to_string(port_));
  if (firstShow) return;
  // The page held so far is on its way out: commands wait for the new one,
  // which gets the markers when it completes.
  pageReady_ = false;
  state_ = kMapStateMarkers;
}

void CMgrMapSync::WaitMapReady() {
  const int64_t waitStart = ports_.clock.TickMs();
  while (!documentLoaded_) {
    const int64_t waitNow = ports_.clock.TickMs();
    if (std::llabs(waitNow - waitStart) > kPageWaitMs) {
      GiveUpPage();
      return;
    }
    // A page that failed while we waited does not come any more.
    if (!enabled_) return;
    loadingAllowed_ = true;
    if (!ports_.host.ProcessEventsFor(kWaitSliceMs)) return;
  }
}

void CMgrMapSync::GiveUpPage() {
  ports_.host.ShowFallback();
  documentLoaded_ = false;
  enabled_ = false;
  loadingAllowed_ = false;
  pageReady_ = false;
}

void CMgrMapSync::OnMapDocumentComplete() {
  if (!loadingAllowed_) return;
  documentLoaded_ = true;
  if (!ports_.host.SetDocument()) {
    GiveUpPage();
    return;
  }
  if (!enabled_) {
    pageReady_ = false;
    return;
  }
  // The page is not ready before "initialize" ran, so it is the one command
  // sent regardless.
  if (ports_.host.CallJScript("initialize", {ports_.host.ProgramFolder()})) {
    pageReady_ = true;
    RefreshMap();
  } else {
    KTRACE("initialize () Failed");
  }
  DrawRecordingRoute();
  DrawSpeedRoute();
}

// ---- updates ------------------------------------------------------------------

void CMgrMapSync::SendTriggerMarkers() {
  for (const CInfoMapObject& entry : store_.MapTriggers()) {
    for (const MAPPOINTINFO& p : entry.Triggers()) SetRouteMap(p.recording, p.frame, p.kind, p.latitude, p.longitude);
  }
}

int CMgrMapSync::UpdateMap() {
  const auto& triggers = store_.MapTriggers();
  if (state_ == kMapStateMarkers) {
    state_ = kMapStateFollow;
    if (triggers.empty()) return 0;
    SendTriggerMarkers();
    return 1;
  }
  if (state_ != kMapStateFollow) return 1;
  const CurrentPositionRecord position = control_.CurrentPosition();
  if (position.recording < 0 || position.frame < 0 || triggers.empty()) return 0;
  const int point = triggers.front().TriggerCount() * kPointArgNumerator / kPointArgDenominator;
  MoveCenterMap(position.recording, point, position.latitude, position.longitude);
  return 1;
}

void CMgrMapSync::RefreshMap() {
  if (!pageReady_) return;
  if (UpdateMap() == 0) NoData();
}

// The page's clearRoute takes the trigger markers with the route, so they
// are put back before the new route: without that no marker would outlive
// the first route drawn.
void CMgrMapSync::DrawRecordingRoute() {
  MakeCurrentRoute();
  ClearRoute();
  SendTriggerMarkers();
  for (const MAPPOINTINFO& p : store_.MapRoute().Route()) {
    SetSingleRouteMap(p.recording, p.frame, p.kind, p.latitude, p.longitude);
  }
  DrawRoute(store_.CurrentIndex());
  RefreshMap();
}

void CMgrMapSync::MakeCurrentRoute() {
  CInfoMapObject& route = store_.MapRoute();
  if (store_.App().viewMode == kViewModeLog) {
    MakeLogRoutePoints(route, LogGraphPoints(), [this](int log, int64_t second) { return FindLogRecord(log, second); });
    return;
  }
  const int current = store_.CurrentIndex();
  const auto& videos = store_.Videos();
  std::span<const FRAMEINFOVIDEO> frames;
  if (current >= 0 && current < static_cast<int>(videos.size()) && videos[static_cast<size_t>(current)]) {
    frames = videos[static_cast<size_t>(current)]->Frames();
  }
  MakeRoutePoints(route, frames, current, store_.App().viewMode);
}

int CMgrMapSync::OnMapSyncWorkingMap() {
  if (updateBusy_) {
    KTRACE("OnMapSyncWorkingMap() : return FALSE");
    return 0;
  }
  updateBusy_ = true;
  RefreshMap();
  updateBusy_ = false;
  return 1;
}

void CMgrMapSync::OnMarkerClicked(int recording, int frame) {
  control_.GoTo(recording, frame);
  RefreshMap();
}

// ---- what playback and the loading call --------------------------------------

void CMgrMapSync::MakeTriggerPoints() {
  std::vector<std::span<const FRAMEINFOVIDEO>> recordings;
  for (const auto& video : store_.Videos()) {
    recordings.push_back(video ? video->Frames() : std::span<const FRAMEINFOVIDEO>{});
  }
  ::MakeTriggerPoints(store_.MapTriggers(), recordings, store_.App().viewMode);
}

std::vector<GraphPoint> CMgrMapSync::LogGraphPoints() const {
  std::vector<GraphPoint> points;
  points.reserve(static_cast<size_t>(logGraph_.PointCount()));
  for (int k = 0; k < logGraph_.PointCount(); ++k) points.push_back(logGraph_.Point(k));
  return points;
}

const FRAMEINFOLOG* CMgrMapSync::FindLogRecord(int log, int64_t second) const {
  const auto& logs = store_.Logs();
  if (log < 0 || log >= static_cast<int>(logs.size()) || !logs[static_cast<size_t>(log)]) return nullptr;
  const CInfoLogFile& file = *logs[static_cast<size_t>(log)];
  for (int r = 0; r < file.RecordCount(); ++r) {
    const FRAMEINFOLOG* record = file.Record(r);
    if (record != nullptr && record->time / 1000 == second) return record;
  }
  return nullptr;
}

int CMgrMapSync::MakeLogTriggerPoints() {
  auto& triggers = store_.MapTriggers();
  triggers.assign(1, CInfoMapObject{});
  ::MakeLogTriggerPoints(triggers.front(), LogGraphPoints(),
                         [this](int log, int64_t second) { return FindLogRecord(log, second); });
  return triggers.front().TriggerCount();
}

void CMgrMapSync::ShowLoadedData() {
  ShowMap();
  if (!enabled_) return;
  state_ = kMapStateMarkers;
  WaitMapReady();
}

// The page's clearRoute takes the markers with the route and shows its
// loading indication, which "noData" ends; the arrow goes with the view,
// which the window hides without data, and the next load reloads the page.
void CMgrMapSync::ClearLoadedData() {
  store_.MapTriggers().clear();
  store_.MapRoute() = CInfoMapObject{};
  state_ = kMapStateIdle;
  ClearRoute();
  ClearSpeedRoute();
  NoData();
}

void CMgrMapSync::PostPositionMoved() {
  ports_.ui.Post([this, alive = alive_] {
    if (*alive) OnMapSyncWorkingMap();
  });
}
