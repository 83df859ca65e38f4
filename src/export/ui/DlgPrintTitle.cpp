#include "export/ui/DlgPrintTitle.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/ui/ExportDialogParts.h"
#include "skin/ui/DialogButtonRow.h"

CDlgPrintTitle::CDlgPrintTitle(const QString& title, const QString& comment, QWidget* parent)
    : QDialog(parent),
      title_(new QLineEdit(title, this)),
      comment_(new QLineEdit(comment, this)),
      ok_(new QPushButton(ExportGuiText("OK", "OK"), this)) {
  setObjectName(QStringLiteral("printTitleDialog"));
  setModal(true);
  StyleExportDialog(*this, ExportGuiText("PrintTitle", "Print Title"));
  title_->setMinimumWidth(360);
  auto* cancel = new QPushButton(ExportGuiText(kGuiCancel), this);
  auto* fields = new QFormLayout;
  fields->addRow(new QLabel(ExportGuiText("PrintTitle", "Print Title"), this), title_);
  fields->addRow(new QLabel(ExportGuiText("Comment", "Comment"), this), comment_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(DialogButtonRow({ok_, cancel}));
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString CDlgPrintTitle::Title() const { return title_->text(); }

QString CDlgPrintTitle::Comment() const { return comment_->text(); }
