#pragma once
#include <functional>
// The playback engine takes its views when it is made, but the widgets that
// paint its models can only be made once the engine (and with it the models)
// exists. These relays stand in for such widgets until they are attached;
// before that every call is dropped, as no widget would have shown it.
#include "playback/PlaybackViews.h"
#include "telemetry/TelemetryViews.h"

class PaneViewRelay final : public PaneView {
 public:
  void Attach(PaneView* target) { target_ = target; }
  // Told after every layout change, once the target has it.
  void SetLayoutFollower(std::function<void()> follower) { layoutFollower_ = std::move(follower); }
  void SetLayout(int layout) override {
    if (target_) target_->SetLayout(layout);
    if (layoutFollower_) layoutFollower_();
  }
  void RepaintPane(int pane) override {
    if (target_) target_->RepaintPane(pane);
  }
  void SetSelectedPane(int pane) override {
    if (target_) target_->SetSelectedPane(pane);
  }
  void RepaintInfoPanel() override {
    if (target_) target_->RepaintInfoPanel();
  }

 private:
  PaneView* target_ = nullptr;
  std::function<void()> layoutFollower_;
};

class GraphViewRelay final : public GraphView {
 public:
  void Attach(GraphView* target) { target_ = target; }
  void Repaint() override {
    if (target_) target_->Repaint();
  }
  void RepaintCursor() override {
    if (target_) target_->RepaintCursor();
  }
  void PostPointChosen(int index) override {
    if (target_) target_->PostPointChosen(index);
  }
  void SendPointChosen(int index) override {
    if (target_) target_->SendPointChosen(index);
  }

 private:
  GraphView* target_ = nullptr;
};

class DigitDisplayViewRelay final : public DigitDisplayView {
 public:
  void Attach(DigitDisplayView* target) { target_ = target; }
  void RepaintDisplay(DigitDisplayId display) override {
    if (target_) target_->RepaintDisplay(display);
  }

 private:
  DigitDisplayView* target_ = nullptr;
};
