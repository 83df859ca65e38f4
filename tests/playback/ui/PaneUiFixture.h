#pragma once
// The pane container over a real engine and a small generated card: the
// engine is made first, so its pane and window sinks forward to the
// container once it exists, as the back panel's do.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "base/AppSetting.h"
#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "playback/EngineWorld.h"
#include "playback/PlaybackEngine.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "playback/ui/PaneVideo.h"
#include "playback/ui/WndPanePanel.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"

namespace pane_ui_test {

class ForwardingWindow final : public EngineWindowView {
 public:
  void RepaintLogInfo() override {
    if (target) target->RepaintLogInfo();
  }
  void RepaintLogSearchRows() override {
    if (target) target->RepaintLogSearchRows();
  }
  CWndPanePanel* target = nullptr;
};

class CountingMap final : public MapView {
 public:
  void RefreshMap() override { ++updates; }
  int updates = 0;
};

inline void Press(QWidget* widget, QPoint at, Qt::MouseButton button) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(widget->mapToGlobal(at)), button, button,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at), QPointF(widget->mapToGlobal(at)), button, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(widget, &release);
}

inline bool Near(QColor a, QColor b, int tolerance) {
  return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
         std::abs(a.blue() - b.blue()) <= tolerance;
}

class PaneUiTest : public ::testing::Test, protected EngineWorld {
 protected:
  // Pictures of 64 x 48, so that a 640 x 480 single view is ten times them.
  static constexpr int kPictureWidth = 64;
  static constexpr int kPictureHeight = 48;

  PaneUiTest() {
    clock_.SetLocalNow(MakeTimeKey(kSampleStart) + 86400 * 1000LL);
    // The engine first, the pane container that paints it next, then the
    // container attached as the engine's view.
    engine_ = std::make_unique<PlaybackEngine>(store_, settings_, timers_, clock_, prompt_, dialogs_);
    panel_ = std::make_unique<CWndPanePanel>(*engine_, settings_, nullptr);
    window_.target = panel_.get();
    sinks_.playback.pane = panel_.get();
    sinks_.playback.map = &map_;
    sinks_.window = &window_;
    engine_->AttachViews(sinks_);
    panel_->resize(640, 480);
  }
  ~PaneUiTest() override { engine_->AttachViews({}); }

  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 1;
    options.eventSeconds = 4;
    options.fps = 5;
    options.width = kPictureWidth;
    options.height = kPictureHeight;
    options.halfHeightSome = false;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", options, &card_, &error)) << error;
    ASSERT_TRUE(store_.ChooseRoot((dir_ / "card").string()));
    store_.Scan();
    engine_->FillLists();
  }

  LoadOutcome LoadAll(FileListKind kind) {
    engine_->List(kind).SetAllChecked(true);
    return engine_->LoadChecked(kind);
  }

  const PaneContent& Content(int pane) const { return engine_->Control().Navigator().Panes().Pane(pane); }
  static QImage Render(QWidget* widget) { return widget->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  WaitingLoadingDialogRunner dialogs_;
  ForwardingWindow window_;
  CountingMap map_;
  PlaybackEngineSinks sinks_;
  std::unique_ptr<PlaybackEngine> engine_;
  std::unique_ptr<CWndPanePanel> panel_;
};

}  // namespace pane_ui_test
