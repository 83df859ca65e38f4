#pragma once
// The map area of the back panel. Until a map is shown here it holds the
// skin's fallback picture and the has-data mark that playback sets when
// what is loaded has positions.
#include <QImage>
#include <QWidget>

class CMapPanel : public QWidget {
  Q_OBJECT

 public:
  CMapPanel(QImage fallback, QWidget* parent);
  void SetHasData(bool hasData);
  bool HasData() const { return hasData_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage fallback_;
  bool hasData_ = false;
};
