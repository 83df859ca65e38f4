#include "tools/ui/DlgCheckDisk.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Prompt.h"
#include "skin/ui/DialogButtonRow.h"
#include "skin/ui/DialogStyle.h"
#include "tools/DiskCheckTexts.h"

namespace {

constexpr int kBarWidth = 320;
constexpr int kPercentRange = 100;

QString Text(const LangText& text) { return QString::fromStdString(GuiText(text)); }

}  // namespace

CDlgCheckDisk::CDlgCheckDisk(DiskCheckTarget target, const DiskCheckTargets& targets, ChildRunner& runner,
                             Prompt& prompt, QWidget* parent)
    : QDialog(parent),
      job_(target, runner, targets),
      target_(std::move(target)),
      prompt_(prompt),
      drive_(new QLabel(this)),
      status_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      start_(new QPushButton(Text(kGuiStart), this)),
      cancel_(new QPushButton(Text(kGuiCancel), this)),
      close_(new QPushButton(Text(kGuiClose), this)),
      queue_(this),
      worker_(queue_) {
  setObjectName(QStringLiteral("checkDiskDialog"));
  setModal(true);
  setWindowTitle(Text(kCheckDiskCaption));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
  drive_->setText(QStringLiteral("%1 : %2").arg(Text(kGuiDiskDrive), QString::fromStdString(target_.path.string())));
  bar_->setMinimumWidth(kBarWidth);
  bar_->setRange(0, kPercentRange);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(bar_, 1);
  progressRow->addWidget(status_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(drive_);
  layout->addLayout(progressRow);
  layout->addLayout(DialogButtonRow({start_, cancel_, close_}));
  SetChecking(false);

  connect(start_, &QPushButton::clicked, this, &CDlgCheckDisk::OnStart);
  connect(cancel_, &QPushButton::clicked, this, [this] { worker_.Cancel(); });
  connect(close_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &CDlgCheckDisk::Poll);
}

CDlgCheckDisk::~CDlgCheckDisk() = default;

void CDlgCheckDisk::reject() {
  if (Checking()) {
    worker_.Cancel();
    return;
  }
  QDialog::reject();
}

void CDlgCheckDisk::SetChecking(bool checking) {
  start_->setEnabled(!checking);
  close_->setEnabled(!checking);
  cancel_->setEnabled(checking);
}

void CDlgCheckDisk::OnStart() {
  if (Checking()) return;
  percent_ = 0;
  const bool started = worker_.Start(
      [this] {
        outcome_ = job_.Run([this](int percent) { percent_ = percent; }, worker_.CancelWord());
        return static_cast<int>(outcome_.state);
      },
      [this](int) { OnEnded(); });
  if (!started) {
    prompt_.Show(MessageText(kCheckDiskFail), GuiText(kCheckDiskCaption), PromptButtons::Ok);
    return;
  }
  SetChecking(true);
  poll_.start();
}

void CDlgCheckDisk::Poll() {
  const int percent = percent_.load();
  bar_->setValue(percent);
  status_->setText(QString::number(percent));
}

void CDlgCheckDisk::OnEnded() {
  poll_.stop();
  Poll();
  prompt_.Show(MessageText(DiskCheckResultText(outcome_.state)), GuiText(kCheckDiskCaption), PromptButtons::Ok);
  TellWhereTheCardIs();
  if (outcome_.state == DiskCheckState::kOk) {
    accept();
    return;
  }
  SetChecking(false);
  bar_->setValue(0);
  status_->clear();
}

// The card comes back where it was, as a rule; the user hears only when it
// did not.
void CDlgCheckDisk::TellWhereTheCardIs() {
  if (!outcome_.wasMounted || outcome_.mountedAt == target_.mountPoint) return;
  prompt_.Show(WhereTheCardIsText(outcome_.mountedAt), GuiText(kCheckDiskCaption), PromptButtons::Ok);
}
