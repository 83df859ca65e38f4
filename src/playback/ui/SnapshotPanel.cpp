#include "playback/ui/SnapshotPanel.h"

CSnapshotPanel::CSnapshotPanel(const CMgrPlayControl& control, QWidget* parent) : QWidget(parent), control_(control) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CSnapshotPanel::SetBackground(const QColor& colour) {
  background_ = colour;
  update();
}
