#pragma once
// What the image info panel and the play-time panel share: both paint the
// play controller's snapshot over the skin's panel colour.
#include <QColor>
#include <QWidget>

#include "skin/ui/SkinImages.h"

class CMgrPlayControl;

class CSnapshotPanel : public QWidget {
  Q_OBJECT

 public:
  CSnapshotPanel(const CMgrPlayControl& control, QWidget* parent);

  // The skin's panel colour.
  void SetBackground(const QColor& colour);

 protected:
  const CMgrPlayControl& Control() const { return control_; }
  const QColor& Background() const { return background_; }

 private:
  const CMgrPlayControl& control_;
  QColor background_ = kDefaultSkinPanel;
};
