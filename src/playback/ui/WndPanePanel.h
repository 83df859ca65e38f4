#pragma once
// The pane container: the sixteen frame panes in the single view, the 4 x 4
// thumbnail view or the log layout with the log search pane, the log info
// pane and the log graph. Frame navigation decides what the panes hold;
// the container arranges and repaints them when told, and hands the
// presses on the panes back to the engine.
#include <QImage>
#include <QWidget>
#include <array>
#include <functional>

#include "base/ViewLayout.h"
#include "playback/PaneSet.h"
#include "playback/PlaybackEngineSinks.h"
#include "playback/PlaybackViews.h"

class CAppSetting;
class CPaneLogInfo;
class CPaneLogSearch;
class CPaneVideo;
class PlaybackEngine;

class CWndPanePanel : public QWidget, public PaneView, public EngineWindowView {
  Q_OBJECT

 public:
  static constexpr int kGridSize = 4;
  static constexpr int kGridGap = 2;

  // Registers itself as the engine's pane and log view until it goes.
  CWndPanePanel(PlaybackEngine& engine, const CAppSetting& settings, QWidget* parent);
  ~CWndPanePanel() override;

  void SetEmptyPicture(const QImage& picture);
  void SetSmallScreen(bool small);
  // The log graph control, made by the back panel; it moves into the
  // container and is shown in the log layout only.
  void SetLogGraph(QWidget* graph);
  // Called when the image info panel has to repaint.
  void SetInfoPanelRepaint(std::function<void()> repaint) { infoPanelRepaint_ = std::move(repaint); }

  // ---- PaneView ---------------------------------------------------------------
  void SetLayout(ViewLayout layout) override;
  void RepaintPane(int pane) override;
  void SetSelectedPane(int pane) override;
  void RepaintInfoPanel() override;

  // What the engine's window view passes on.
  void RepaintLogInfo() override;
  void RepaintLogSearchRows() override;

  ViewLayout Layout() const { return layout_; }
  CPaneVideo* Pane(int pane) const { return panes_[static_cast<size_t>(pane)]; }
  CPaneLogSearch* LogSearchPane() const { return logSearch_; }
  CPaneLogInfo* LogInfoPane() const { return logInfo_; }
  QWidget* LogGraph() const { return logGraph_; }

  // Where each part goes in an area of size: the thumbnail at grid index
  // pane, and the four parts of the log layout.
  static QRect ThumbnailRect(QSize size, int pane);
  static QRect LogPictureRect(QSize size);
  static QRect LogSearchRect(QSize size);
  static QRect LogInfoRect(QSize size);
  static QRect LogGraphRect(QSize size);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Arrange();
  void ArrangeSingle();
  void ArrangeThumbnails();
  void ArrangeLog();
  void ShowLogParts(bool shown);
  void OnPanePressed(int pane, Qt::MouseButton button);

  PlaybackEngine& engine_;
  std::array<CPaneVideo*, kPaneCount> panes_{};
  CPaneLogSearch* logSearch_ = nullptr;
  CPaneLogInfo* logInfo_ = nullptr;
  QWidget* logGraph_ = nullptr;
  std::function<void()> infoPanelRepaint_;
  ViewLayout layout_ = kLayoutSingle;
};
