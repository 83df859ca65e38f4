#include "shell/ui/DlgVersion.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/VersionInfo.h"
#include "skin/ui/DialogStyle.h"

CDlgVersion::CDlgVersion(const std::string& cardRoot, const std::string& modelName, QWidget* parent) : QDialog(parent) {
  const VersionBoxText text = MakeVersionBoxText(cardRoot, modelName);
  setObjectName(QStringLiteral("versionBox"));
  setWindowTitle(QString::fromStdString(text.title));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
  auto* layout = new QVBoxLayout(this);
  auto* model = new QLabel(QString::fromStdString(text.modelName), this);
  QFont bold = model->font();
  bold.setBold(true);
  model->setFont(bold);
  recorder_ = new QLabel(QString::fromStdString(text.recorderLine), this);
  program_ = new QLabel(QString::fromStdString(text.programLine), this);
  auto* ok = new QPushButton(QString::fromStdString(text.okLabel), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(model);
  layout->addWidget(recorder_);
  layout->addWidget(program_);
  layout->addWidget(ok, 0, Qt::AlignRight);
}
