#pragma once
// A graph control as the engine sees it: repaints go on to the window's
// control, the point-chosen messages (1934 while dragging, 1935 on release)
// to the handler of the graph's parent.

#include <functional>

#include "telemetry/TelemetryViews.h"

using PointChosenCall = std::function<void(int index, bool released)>;

class EngineGraphView final : public GraphView {
 public:
  EngineGraphView(GraphView* window, PointChosenCall chosen)
      : window_(window ? *window : quiet_), chosen_(std::move(chosen)) {}

  void Repaint() override { window_.Repaint(); }
  void RepaintCursor() override { window_.RepaintCursor(); }
  void PostPointChosen(int index) override { chosen_(index, false); }
  void SendPointChosen(int index) override { chosen_(index, true); }

 private:
  GraphView quiet_;
  GraphView& window_;
  PointChosenCall chosen_;
};
