#pragma once
// A check button drawn from a four-cell skin strip: unchecked 0 (1 when
// hovering), checked 2 (3 when hovering), with a caption over it in the
// caption font, white, grey when disabled. The search window's tabs are
// these.
#include <QAbstractButton>
#include <QBasicTimer>

#include "skin/ui/SkinStrip.h"

class CVxCheckButton : public QAbstractButton {
  Q_OBJECT

 public:
  CVxCheckButton(int id, QWidget* parent);

  int Id() const { return id_; }
  void SetStrip(const SkinStrip& strip);
  // The caption; shifted 10 pixels right of the centre when shifted is set.
  void SetCaption(const QString& caption, bool shifted = false);
  void SetChecked(bool checked) { setChecked(checked); }
  bool IsChecked() const { return isChecked(); }
  bool IsHovering() const { return hovering_; }
  int CurrentCell() const;
  QString Caption() const { return caption_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  int id_;
  SkinStrip strip_;
  QString caption_;
  bool shifted_ = false;
  bool hovering_ = false;
  QBasicTimer hoverPoll_;
};
