#pragma once
// The play-position slide bar: a track picture with a thumb, and in the
// file-span style the red span of the current normal file and yellow event
// markers. Dragging the thumb reports each new position through dragged
// (connect it queued: the receiver should see it after the drag's repaint)
// and the final one through released, at once.
#include <QColor>
#include <QImage>
#include <QWidget>
#include <optional>

#include "skin/SlideBarGeometry.h"

class CVxSlideBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kStylePlain = 1;
  static constexpr int kStyleFileSpan = 2;

  CVxSlideBar(int id, QWidget* parent);

  int Id() const { return id_; }
  // A null thumb is drawn as a plain rounded knob, so the bar stays usable.
  // The second track is kept for the skin; the bar draws the first.
  void SetBitmaps(QImage track, QImage thumb, QImage track2);
  // The track picture is stretched over the widget less originX, originY on
  // every side; the thumb centre travels between the margins.
  void SetTrackGeometry(int originX, int originY, int leftMargin, int rightMargin);

  void SetRange(int minimum, int maximum);
  // Clamped into the range; repaints and returns true only on a change.
  bool SetPosition(int position);
  int Position() const { return geometry_.Position(); }
  int Minimum() const { return geometry_.Minimum(); }
  int Maximum() const { return geometry_.Maximum(); }

  // A position already marked is ignored.
  void AddMarker(int position);
  void ClearMarkers();
  const std::vector<int>& Markers() const { return geometry_.Markers(); }

  // kStylePlain or kStyleFileSpan; anything else is plain.
  void SetStyle(int style);
  void SetBackground(const QColor& colour);
  // The end of the current normal file in bar seconds; none hides the span.
  void SetFileSpanEnd(std::optional<int> seconds);

  bool IsDragging() const { return geometry_.Dragging(); }
  // The x of the thumb centre for position.
  int ThumbCentre(int position) const { return geometry_.ThumbCentre(position); }
  int ThumbWidth() const { return geometry_.ThumbWidth(); }

  QSize sizeHint() const override;

 signals:
  void dragged(int position);
  void released(int position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  QRect TrackRect() const;
  void SyncTrack();
  void DrawFileSpan(QPainter& painter) const;
  void DrawMarkers(QPainter& painter) const;
  void DrawThumb(QPainter& painter) const;

  int id_;
  SlideBarGeometry geometry_;
  QImage track_;
  QImage thumb_;
  QImage track2_;
  int originX_ = 0;
  int originY_ = 0;
  int style_ = kStylePlain;
  QColor background_{0xFF, 0xFF, 0xFF};
  std::optional<int> fileSpanEnd_;
};
