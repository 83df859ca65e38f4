#include "tools/ui/DlgSelectSDType.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "skin/ui/DialogButtonRow.h"
#include "skin/ui/DialogStyle.h"
#include "tools/SdInitTexts.h"

namespace {

QString Text(const LangText& text) { return QString::fromStdString(GuiText(text)); }

}  // namespace

CDlgSelectSDType::CDlgSelectSDType(QWidget* parent)
    : QDialog(parent),
      sd_(new QPushButton(QString::fromLatin1(kCardTypeSd.data(), static_cast<int>(kCardTypeSd.size())), this)),
      sdhc_(new QPushButton(QString::fromLatin1(kCardTypeSdhc.data(), static_cast<int>(kCardTypeSdhc.size())), this)),
      other_(new QPushButton(Text(kCardTypeOther), this)) {
  setObjectName(QStringLiteral("selectSdTypeDialog"));
  setModal(true);
  setWindowTitle(Text(kFormatCaption));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Text(kCardTypeQuestion), this));
  layout->addLayout(DialogButtonRow({sd_, sdhc_, other_}));
  connect(sd_, &QPushButton::clicked, this, [this] { Choose(CardTypeAnswer::kSd); });
  connect(sdhc_, &QPushButton::clicked, this, [this] { Choose(CardTypeAnswer::kSdhc); });
  connect(other_, &QPushButton::clicked, this, [this] { Choose(CardTypeAnswer::kOther); });
}

void CDlgSelectSDType::Choose(CardTypeAnswer answer) {
  answer_ = answer;
  if (answer == CardTypeAnswer::kOther) {
    reject();
    return;
  }
  accept();
}

CardTypeAnswer AskCardType(QWidget* parent) {
  CDlgSelectSDType dialog(parent);
  dialog.exec();
  return dialog.Answer();
}
