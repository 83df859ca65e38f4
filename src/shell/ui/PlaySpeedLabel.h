#pragma once

#include "playback/PlayState.h"
// The read-out beside the play buttons: the speed in use ("×2", "×½" ...)
// while something plays, nothing while stopped. Outlined text on the skin.
#include <QString>
#include <QWidget>

class CPlaySpeedLabel : public QWidget {
  Q_OBJECT

 public:
  explicit CPlaySpeedLabel(QWidget* parent);

  // Follows the play controller's state.
  void SetPlayState(PlayState state);
  const QString& Text() const { return text_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
};
