#pragma once
// The map synchronisation: keeps the map page in step with what is loaded
// and with the play position. It decides when the page is loaded and whether
// it may be used at all, builds the map points of the loaded recordings and
// sends the page its script commands: trigger markers, the route of the
// current recording, the position arrow and the loaded run's route
// coloured by speed with its hard moments. Everything runs on the
// user-interface thread.

#include <cstdint>
#include <memory>
#include <vector>

#include "mapctrl/MapPageHost.h"
#include "playback/PlaybackViews.h"
#include "recording/FrameInfoLog.h"
#include "telemetry/GraphPoint.h"
#include "telemetry/SpeedUnit.h"
#include "telemetry/TripFigures.h"
#include "telemetry/TripFrames.h"

class CMgrDBSearch;
class CMgrPlayControl;
class Clock;
class GSensorGraphModel;
class Prompt;
class ScriptPolicy;
class UiQueue;

// What the map synchronisation reaches the outside world through.
struct MapSyncPorts {
  MapPageHost& host;
  const ScriptPolicy& scripts;
  Prompt& prompt;
  const Clock& clock;
  UiQueue& ui;
};

class CMgrMapSync final : public MapView {
 public:
  static constexpr int kFirstPort = 9865;
  static constexpr int kPageWaitMs = 10000;

  enum MapState : int {
    kMapStateIdle = 0,
    kMapStateMarkers = 1,  // the trigger markers are to be sent
    kMapStateFollow = 2,   // the arrow follows the current position
  };

  // logGraph is the graph of the loaded logs, whose event runs give the
  // markers in log view.
  CMgrMapSync(CMgrDBSearch& store, CMgrPlayControl& control, const GSensorGraphModel& logGraph,
              const MapSyncPorts& ports);
  ~CMgrMapSync() override;
  CMgrMapSync(const CMgrMapSync&) = delete;
  CMgrMapSync& operator=(const CMgrMapSync&) = delete;

  // ---- the page's commands (dropped while the page is not ready) ----------
  void MoveCenterMap(int recording, int point, double latitude, double longitude) override;
  void SetRouteMap(int recording, int frame, int kind, double latitude, double longitude);
  void SetSingleRouteMap(int recording, int frame, int kind, double latitude, double longitude);
  void DrawRoute(int recording);
  void ClearRoute();
  void NoData();
  // The loaded run's route coloured by speed, with the legend and a mark at
  // every hard moment; beside the route of the current recording, which
  // the commands above keep as they are.
  void DrawSpeedRoute();
  void ClearSpeedRoute();

  // The unit of the route's legend and hover texts, and the G a hard moment
  // reaches; both take effect at the next drawing.
  void SetSpeedRouteUnit(SpeedUnit unit) { speedUnit_ = unit; }
  void SetHardG(double hardG) { hardG_ = hardG; }

  // ---- page life -------------------------------------------------------------
  void CheckMapSecurity() override;
  // Starts the server once and loads the page, or reloads it.
  void ShowMap();
  // Waits up to 10 s for the page, the user interface running meanwhile; a
  // page that does not come disables the map until the next load.
  void WaitMapReady();
  // The browser view completed a page other than "about:blank".
  void OnMapDocumentComplete();

  // ---- updates ---------------------------------------------------------------
  // Sends pending markers or moves the arrow; 0 when there was nothing to
  // show.
  int UpdateMap();
  void RefreshMap() override;
  void DrawRecordingRoute() override;
  // The position moved: brings the map up to date; 0 when an update was still running.
  int OnMapSyncWorkingMap();
  // A click on a marker of the page: the play controller goes there.
  void OnMarkerClicked(int recording, int frame);

  // ---- what playback and the loading call ------------------------------------
  void MakeTriggerPoints() override;
  int MakeLogTriggerPoints() override;
  void ShowLoadedData() override;
  void ClearLoadedData() override;
  void PostPositionMoved() override;
  void FollowCurrentPosition() override { state_ = kMapStateFollow; }
  bool InUse() const override { return enabled_; }

  // ---- state, for the map window's painting ------------------------------------
  int State() const { return state_; }
  int Port() const { return port_; }
  bool IsServerStarted() const { return serverStarted_; }
  bool IsMapEnabled() const { return enabled_; }
  bool IsPageReady() const { return pageReady_; }
  bool IsLoadingAllowed() const { return loadingAllowed_; }

 private:
  // A command of the page; failures are traced with failureText.
  void Send(const char* function, std::vector<std::string> args, const char* failureText);
  void SendTriggerMarkers();
  // The route of what is shown: the current video recording's, or in log
  // view that of the loaded logs.
  void MakeCurrentRoute();
  // The record of a loaded log in a whole second, as the log graph's points
  // are matched to records.
  const FRAMEINFOLOG* FindLogRecord(int log, int64_t second) const;
  std::vector<GraphPoint> LogGraphPoints() const;
  // The frames of every loaded video recording, each naming its place
  // among them.
  std::vector<TripFrame> LoadedTripFrames() const;
  // A normal run's hard moments over all of it, an event's over each event.
  std::vector<HardMoment> LoadedHardMoments(const std::vector<TripFrame>& frames) const;
  // The page failed: the fallback picture, and no map until the next load.
  void GiveUpPage();

  CMgrDBSearch& store_;
  CMgrPlayControl& control_;
  const GSensorGraphModel& logGraph_;
  MapSyncPorts ports_;

  SpeedUnit speedUnit_ = SpeedUnit::kKmh;
  double hardG_ = kDefaultHardG;
  int state_ = kMapStateIdle;
  int port_ = kFirstPort;
  bool serverStarted_ = false;
  bool loadingAllowed_ = true;
  bool enabled_ = false;
  bool pageReady_ = false;
  bool documentLoaded_ = false;
  bool updateBusy_ = false;
  bool warned_ = false;
  // Posted messages find out through this whether the object still exists.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
