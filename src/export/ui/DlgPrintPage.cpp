#include "export/ui/DlgPrintPage.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/ui/ExportDialogParts.h"
#include "skin/ui/DialogButtonRow.h"

CDlgPrintPage::CDlgPrintPage(int pageCount, QWidget* parent)
    : QDialog(parent),
      pages_(new QLabel(ExportGuiText("PrintPageNum", "Print page number is $$$")
                            .replace(QStringLiteral("$$$"), QString::number(pageCount)),
                        this)),
      ok_(new QPushButton(ExportGuiText("OK", "OK"), this)),
      cancel_(new QPushButton(ExportGuiText(kGuiCancel), this)) {
  setObjectName(QStringLiteral("printPageDialog"));
  setModal(true);
  StyleExportDialog(*this, ExportGuiText("Print", "Print"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(new QLabel(ExportGuiText("GoAheadMessage", "Do you want to proceed ?"), this));
  layout->addLayout(DialogButtonRow({ok_, cancel_}));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}
