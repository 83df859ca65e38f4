#pragma once
// A push button drawn from a four-cell skin strip: cell 0 normal, 1 pressed,
// 2 hovering or latched, 3 disabled; the cell is stretched over the button.
// Clicks arrive as QAbstractButton::clicked; the command id rides along.
// A word over the strip (the skin's pictures hold none) is fitted to it.
#include <QAbstractButton>
#include <QBasicTimer>
#include <QString>

#include "skin/ui/SkinStrip.h"

struct SkinTextLook;

class CVxButton : public QAbstractButton {
  Q_OBJECT

 public:
  // The room a caption leaves at either side.
  static constexpr int kCaptionPadding = 3;

  CVxButton(int id, QWidget* parent);

  int Id() const { return id_; }
  // The four-cell strip.
  void SetStrip(const SkinStrip& strip);
  // The word over the strip, at most pixelSize high; besideIcon keeps it
  // right of the icon the strip shows at its left.
  void SetCaption(const QString& caption, int pixelSize, bool besideIcon = false);
  QString Caption() const { return caption_; }
  // The width the word needs at its nominal size, its margins included.
  int CaptionWidth() const;
  // Shown as the third cell whatever the mouse does.
  void SetLatched(bool latched);
  bool IsLatched() const { return latched_; }
  bool IsHovering() const { return hovering_; }
  // The cell the next paint draws.
  int CurrentCell() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void changeEvent(QEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void DrawCaption(QPainter& painter, int cell) const;
  SkinTextLook CaptionLook(int cell) const;
  int CaptionLeft() const;

  int id_;
  SkinStrip strip_;
  QString caption_;
  int captionPixelSize_ = 0;
  bool besideIcon_ = false;
  bool latched_ = false;
  bool hovering_ = false;
  QBasicTimer hoverPoll_;
};
