#pragma once
// The image info panel: speed and position of the frame now shown, from
// the play controller's snapshot. The position greys out without a fix.
#include "playback/ui/SnapshotPanel.h"

class CAppSetting;

class CWndImgInfoPanel : public CSnapshotPanel {
  Q_OBJECT

 public:
  static inline const QColor kTextColour{200, 200, 200};
  static inline const QColor kNoFixColour{50, 50, 50};

  CWndImgInfoPanel(const CMgrPlayControl& control, const CAppSetting& settings, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The speed unit is read at each paint, so a change shows at once.
  const CAppSetting& settings_;
};
