#include "shell/ui/CardInsertNotice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "base/MgrMultiLang.h"
#include "skin/ui/DialogStyle.h"

namespace {

constexpr int kNoticeHeight = 40;
constexpr int kNoticeMargin = 12;
constexpr const char* kNoticeStyle =
    "CardInsertNotice { background: #2b3440; border: 1px solid #e0a030; }"
    "QLabel { color: #f0f0f0; }";

QString ButtonText(const char* key, const char* fallback) {
  return QString::fromStdString(GetLangText("GUI", key, fallback));
}

}  // namespace

CardInsertNotice::CardInsertNotice(QWidget* parent) : QFrame(parent) {
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet) + QString::fromLatin1(kNoticeStyle));
  text_ = new QLabel(this);
  open_ = new QPushButton(ButtonText("CardInsertOpen", "&Open"), this);
  ignore_ = new QPushButton(ButtonText("CardInsertIgnore", "I&gnore"), this);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(kNoticeMargin, 4, kNoticeMargin, 4);
  row->addWidget(text_, 1);
  row->addWidget(open_);
  row->addWidget(ignore_);
  connect(open_, &QPushButton::clicked, this, [this] {
    hide();
    emit openRequested(mountPoint_);
  });
  connect(ignore_, &QPushButton::clicked, this, [this] {
    hide();
    emit ignored(mountPoint_);
  });
  hide();
}

void CardInsertNotice::Offer(const QString& mountPoint, const QString& text) {
  mountPoint_ = mountPoint;
  text_->setText(text);
  Place();
  show();
  raise();
}

// Across the bottom of the window, over the G graph's strip, so nothing the
// user is reading moves.
void CardInsertNotice::Place() {
  const QWidget* window = parentWidget();
  setGeometry(kNoticeMargin, window->height() - kNoticeHeight - kNoticeMargin, window->width() - 2 * kNoticeMargin,
              kNoticeHeight);
}
