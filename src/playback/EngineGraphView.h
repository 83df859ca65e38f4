#pragma once
// A graph control as the engine sees it: repaints go on to the window's
// control and, after it, to an optional follower of the graph's cursor; the
// point-chosen events (posted while dragging, sent on release) go to the
// handler of the graph's parent.

#include <functional>

#include "telemetry/TelemetryViews.h"

using PointChosenCall = std::function<void(int index, bool released)>;
using GraphRepaintedCall = std::function<void()>;

class EngineGraphView final : public GraphView {
 public:
  EngineGraphView(GraphView* window, PointChosenCall chosen, GraphRepaintedCall repainted = {})
      : window_(window ? window : &quiet_), chosen_(std::move(chosen)), repainted_(std::move(repainted)) {}

  // The window's graph control, attached once it exists.
  void Attach(GraphView* window) { window_ = window ? window : &quiet_; }

  void Repaint() override {
    window_->Repaint();
    if (repainted_) repainted_();
  }
  void RepaintCursor() override {
    window_->RepaintCursor();
    if (repainted_) repainted_();
  }
  void PostPointChosen(int index) override { chosen_(index, false); }
  void SendPointChosen(int index) override { chosen_(index, true); }

 private:
  GraphView quiet_;
  GraphView* window_;
  PointChosenCall chosen_;
  GraphRepaintedCall repainted_;
};
