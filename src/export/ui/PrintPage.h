#pragma once
// The preview's page window: the current page on white, drawn by the same
// painter as the printer, in the printed page's proportions, centred 10
// pixels inside the window.
#include <QSize>
#include <QWidget>

#include "export/render/PrintPagePainter.h"

class PrintDocument;

class CPrintPage : public QWidget {
  Q_OBJECT

 public:
  CPrintPage(const PrintDocument& document, QWidget* parent);

  // The printed page's shape (the printer's printable area).
  void SetPageSize(QSize size);
  void SetPage(int page);
  int Page() const { return page_; }

  // Where the page stands inside the window.
  QRect PageRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  PrintPagePainter painter_;
  QSize pageSize_{210, 297};
  int page_ = 1;
};
