#pragma once
// The question before printing: how many pages will print, and whether to
// go ahead.
#include <QDialog>

class QLabel;
class QPushButton;

class CDlgPrintPage : public QDialog {
  Q_OBJECT

 public:
  CDlgPrintPage(int pageCount, QWidget* parent);

  QLabel* PageCountLabel() const { return pages_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 private:
  QLabel* pages_;
  QPushButton* ok_;
  QPushButton* cancel_;
};
