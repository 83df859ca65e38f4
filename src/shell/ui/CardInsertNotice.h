#pragma once
// The small notice over the bottom of the window that offers a card just
// inserted: its text, Open and Ignore. It never blocks the window; the
// frame decides what Open and Ignore do.
#include <QFrame>
#include <QString>

class QLabel;
class QPushButton;

class CardInsertNotice : public QFrame {
  Q_OBJECT

 public:
  explicit CardInsertNotice(QWidget* parent);

  void Offer(const QString& mountPoint, const QString& text);
  const QString& MountPoint() const { return mountPoint_; }
  QLabel* Text() const { return text_; }
  QPushButton* OpenButton() const { return open_; }
  QPushButton* IgnoreButton() const { return ignore_; }

 signals:
  void openRequested(const QString& mountPoint);
  void ignored(const QString& mountPoint);

 private:
  void Place();

  QString mountPoint_;
  QLabel* text_ = nullptr;
  QPushButton* open_ = nullptr;
  QPushButton* ignore_ = nullptr;
};
