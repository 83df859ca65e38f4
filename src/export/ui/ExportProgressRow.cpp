#include "export/ui/ExportProgressRow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "export/ExportWorker.h"
#include "export/ui/ExportDialogParts.h"

CExportProgressRow::CExportProgressRow(const ExportProgress& progress, QWidget* dialog)
    : progress_(progress), status_(new QLabel(dialog)), bar_(new QProgressBar(dialog)) {
  bar_->setRange(0, 1);
  bar_->setValue(0);
  // Only an export of several parts says which part it is at; without a
  // text the bar takes the whole row.
  status_->hide();
  poll_.setInterval(kExportPollMs);
  QObject::connect(&poll_, &QTimer::timeout, &poll_, [this] { Poll(); });
}

QHBoxLayout* CExportProgressRow::MakeLayout() const {
  auto* row = new QHBoxLayout;
  row->addWidget(bar_, 1);
  row->addWidget(status_);
  return row;
}

void CExportProgressRow::Clear() {
  bar_->setValue(0);
  status_->clear();
  status_->hide();
}

void CExportProgressRow::Poll() {
  const int high = std::max(progress_.high.load(), 1);
  bar_->setRange(0, high);
  bar_->setValue(std::clamp(progress_.pos.load(), 0, high));
  const int part = progress_.part.load();
  status_->setText(part > 0 ? QStringLiteral("%1 / %2").arg(part).arg(progress_.parts.load()) : QString());
  status_->setVisible(part > 0);
}
