#include "tools/ui/DlgFormatSD.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Prompt.h"
#include "skin/ui/DialogButtonRow.h"
#include "skin/ui/DialogStyle.h"
#include "tools/CardBusyMark.h"
#include "tools/SdInitTexts.h"

namespace {

constexpr int kBarWidth = 320;
constexpr int kPercentRange = 100;

QString Text(const LangText& text) { return QString::fromStdString(GuiText(text)); }

}  // namespace

CDlgFormatSD::CDlgFormatSD(FormatTarget target, bool restoreAllowed, CardFormatter& formatter, Prompt& prompt,
                           CardTypeQuestion askCardType, QWidget* parent, CardBusyMark* busy)
    : QDialog(parent),
      target_(std::move(target)),
      restoreAllowed_(restoreAllowed),
      busy_(busy),
      formatter_(formatter),
      prompt_(prompt),
      askCardType_(std::move(askCardType)),
      drive_(new QLabel(this)),
      status_(new QLabel(this)),
      quick_(new QCheckBox(Text(kFormatQuick), this)),
      backup_(new QCheckBox(Text(kFormatBackupConfig), this)),
      bar_(new QProgressBar(this)),
      start_(new QPushButton(Text(kGuiStart), this)),
      cancel_(new QPushButton(Text(kGuiCancel), this)),
      close_(new QPushButton(Text(kGuiClose), this)),
      queue_(this),
      worker_(queue_) {
  setObjectName(QStringLiteral("formatSdDialog"));
  setModal(true);
  setWindowTitle(Text(kFormatCaption));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
  drive_->setText(
      QStringLiteral("%1 : %2").arg(Text(kGuiDiskDrive), QString::fromStdString(target_.where.path.string())));
  backup_->setChecked(restoreAllowed_);
  bar_->setMinimumWidth(kBarWidth);
  bar_->setRange(0, kPercentRange);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(bar_, 1);
  progressRow->addWidget(status_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(Text(kFormatFileSystemLabel), this));
  layout->addWidget(drive_);
  layout->addWidget(quick_);
  layout->addWidget(backup_);
  layout->addLayout(progressRow);
  layout->addLayout(DialogButtonRow({start_, cancel_, close_}));
  SetFormatting(false, false);

  connect(start_, &QPushButton::clicked, this, &CDlgFormatSD::OnStart);
  connect(cancel_, &QPushButton::clicked, this, [this] { worker_.Cancel(); });
  connect(close_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &CDlgFormatSD::Poll);
}

CDlgFormatSD::~CDlgFormatSD() {
  // A dialog torn down mid-format must not leave the main window deaf to the card.
  if (Formatting()) worker_.Cancel();
  busyHold_.reset();
}

bool CDlgFormatSD::RestoreTicked() const { return restoreAllowed_ && backup_->isChecked(); }

void CDlgFormatSD::reject() {
  if (Formatting()) {
    if (cancel_->isEnabled()) worker_.Cancel();
    return;
  }
  QDialog::reject();
}

void CDlgFormatSD::SetFormatting(bool formatting, bool cancellable) {
  quick_->setEnabled(!formatting);
  backup_->setEnabled(!formatting && restoreAllowed_);
  start_->setEnabled(!formatting);
  close_->setEnabled(!formatting);
  cancel_->setEnabled(formatting && cancellable);
}

void CDlgFormatSD::OnStart() {
  if (Formatting()) return;
  // The question is a window of its own, so it is asked here, before the
  // worker starts, rather than on the worker thread.
  CardTypeAnswer answer = CardTypeAnswer::kOther;
  if (!target_.sizeBytes && askCardType_) answer = askCardType_();
  if (!ClusterBytesFor(target_.sizeBytes, answer)) {
    QDialog::reject();
    return;
  }
  const bool quick = quick_->isChecked();
  percent_ = 0;
  if (busy_) busyHold_.emplace(*busy_);
  const bool started = worker_.Start(
      [this, quick, answer] {
        outcome_ = RunFormat(
            target_, quick, [answer] { return answer; }, formatter_, [this](int percent) { percent_ = percent; },
            worker_.CancelWord());
        return static_cast<int>(outcome_.format.result);
      },
      [this](int) { OnEnded(); });
  if (!started) {
    busyHold_.reset();
    prompt_.Show(MessageText(kFormatFail), GuiText(kFormatCaption), PromptButtons::Ok);
    return;
  }
  SetFormatting(true, !quick);
  poll_.start();
}

void CDlgFormatSD::Poll() {
  const int percent = percent_.load();
  bar_->setValue(percent);
  status_->setText(QStringLiteral("%1%").arg(percent));
}

void CDlgFormatSD::OnEnded() {
  poll_.stop();
  Poll();
  busyHold_.reset();
  const FormatOutcome& format = outcome_.format;
  prompt_.Show(MessageText(FormatResultText(format.result)), GuiText(kFormatCaption), PromptButtons::Ok);
  if (format.result == FormatResult::kOk) {
    accept();
    return;
  }
  if (!format.detail.empty()) prompt_.Show(format.detail, GuiText(kFormatCaption), PromptButtons::Ok);
  SetFormatting(false, false);
  bar_->setValue(0);
  status_->clear();
}
