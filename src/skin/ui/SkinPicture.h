#pragma once
// A skin picture as a window of its own, for artwork that must stay above
// the controls it overlaps (the small-screen bottom strip over the lower
// displays it cuts off).
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
