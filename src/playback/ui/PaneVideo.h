#pragma once
// One frame pane of the pane container: paints the picture the core stored
// for its index, stretched over the pane, with the frame's overlay text and
// the mark of the selected thumbnail. Presses go to the container.
#include <QImage>
#include <QWidget>

class PlaybackEngine;
struct PaneContent;

class CPaneVideo : public QWidget {
  Q_OBJECT

 public:
  CPaneVideo(int index, const PlaybackEngine& engine, QWidget* parent);

  int Index() const { return index_; }
  // Drawn over the whole pane while it holds no picture.
  void SetEmptyPicture(const QImage& picture);
  void SetSmallScreen(bool small);

  // The pane's picture as it lies in the core, or a null image.
  static QImage PictureOf(const PaneContent& content);

 signals:
  void pressed(int index, Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  bool IsThumbnail() const;
  bool IsSelectedThumbnail() const;
  void DrawPicture(QPainter& painter, const PaneContent& content) const;
  void DrawSelectionLine(QPainter& painter) const;
  void DrawOverlay(QPainter& painter, const PaneContent& content) const;

  int index_;
  const PlaybackEngine& engine_;
  QImage emptyPicture_;
  bool smallScreen_ = false;
};
