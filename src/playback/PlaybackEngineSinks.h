#pragma once
// What the window hands the playback engine: the sinks of the play
// controller and frame navigation, the search window, both graph controls,
// the digit displays and the log info pane. A sink left null is replaced by
// none, so the command-line tool and the tests hand in only
// what they look at.

#include "playback/PlaybackSinks.h"
#include "playback/SearchWindowView.h"
#include "recording/CardCatalogue.h"
#include "telemetry/TelemetryViews.h"

// The parts of the pane container and the search window that only the
// engine drives. Every call comes on the user-interface thread.
class EngineWindowView {
 public:
  virtual ~EngineWindowView() = default;
  // The log info pane has a new record (or none) to paint.
  virtual void RepaintLogInfo() {}
  // The log search's result rows changed.
  virtual void RepaintLogSearchRows() {}
  // Close: the loaded list boxes give way to the file list of kind with
  // Load, Check All and the tabs (the Log tab only when the card has logs);
  // Close is hidden.
  virtual void ShowFileLists(FileListKind /*kind*/, bool /*withLogTab*/) {}
  // The Trip list's rows changed: emptied for a new read, or read.
  virtual void RefreshTripList() {}
};

class EngineWindowViews final : public EngineWindowView, public ViewObservers<EngineWindowView> {
 public:
  void RepaintLogInfo() override {
    Each([](EngineWindowView& v) { v.RepaintLogInfo(); });
  }
  void RepaintLogSearchRows() override {
    Each([](EngineWindowView& v) { v.RepaintLogSearchRows(); });
  }
  void ShowFileLists(FileListKind kind, bool withLogTab) override {
    Each([&](EngineWindowView& v) { v.ShowFileLists(kind, withLogTab); });
  }
  void RefreshTripList() override {
    Each([](EngineWindowView& v) { v.RefreshTripList(); });
  }
};

struct PlaybackEngineSinks {
  PlaybackSinks playback;
  SearchWindowView* search = nullptr;
  GraphView* videoGraph = nullptr;  // the graph of the G-sensor window
  GraphView* logGraph = nullptr;    // the log graph of the pane container
  DigitDisplayView* displays = nullptr;
  EngineWindowView* window = nullptr;
};
