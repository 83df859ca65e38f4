#pragma once
// A skin picture as a window of its own, for artwork that stands apart from
// the panel (the small-screen bottom strip that closes the frame).
#include <QImage>
#include <QWidget>

class CSkinPicture : public QWidget {
  Q_OBJECT

 public:
  explicit CSkinPicture(QWidget* parent);

  // Shows picture at its own size; a null picture hides the window.
  void SetPicture(const QImage& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage picture_;
};
