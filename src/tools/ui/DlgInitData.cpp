#include "tools/ui/DlgInitData.h"

#include <QCheckBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/MgrMultiLang.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogButtonRow.h"
#include "skin/ui/DialogStyle.h"

namespace {

QString Gui(const char* key, const char* text) { return QString::fromStdString(GetLangText("GUI", key, text)); }

}  // namespace

CDlgInitData::CDlgInitData(QWidget* parent)
    : QDialog(parent),
      recordings_(new QCheckBox(Gui("RecDataDelete", "Delete Record Data"), this)),
      configuration_(new QCheckBox(Gui("InitialConfigFile", "Initialize configuration file"), this)),
      ok_(new QPushButton(Gui("OK", "OK"), this)),
      cancel_(new QPushButton(Gui("Cancel", "Cancel"), this)) {
  setObjectName(QStringLiteral("initDataDialog"));
  setModal(true);
  setWindowTitle(Gui("InitialData", "Initialize Data"));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
  UseCheckMarkStyle(this);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(recordings_);
  layout->addWidget(configuration_);
  layout->addSpacing(8);
  layout->addLayout(DialogButtonRow({ok_, cancel_}));
  ok_->setDefault(true);

  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

DataDeleteChoice CDlgInitData::Choice() const { return {recordings_->isChecked(), configuration_->isChecked()}; }
