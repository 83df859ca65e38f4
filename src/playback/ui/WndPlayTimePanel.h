#pragma once
// The play-time panel: date and time of the frame now shown, from the play
// controller's snapshot, in the date order of the settings.
#include "playback/ui/SnapshotPanel.h"

class CAppSetting;

class CWndPlayTimePanel : public CSnapshotPanel {
  Q_OBJECT

 public:
  static inline const QColor kDateColour{0, 255, 0};
  static inline const QColor kTimeColour{255, 255, 0};

  CWndPlayTimePanel(const CMgrPlayControl& control, const CAppSetting& settings, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const CAppSetting& settings_;
};
