#include "playback/ui/DlgCheckFiles.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/MgrMultiLang.h"
#include "recording/CheckFilesPass.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/DialogStyle.h"

namespace {

constexpr int kBarWidth = 320;

// The dialog polls the pass instead of waiting for a posted completion, so
// the pass's queue is never given anything.
class UnusedQueue final : public UiQueue {
 public:
  void Post(std::function<void()>) override {}
  void Send(std::function<void()>) override {}
};

QString Gui(const char* key, const char* english) { return QString::fromStdString(GetLangText("GUI", key, english)); }

}  // namespace

CDlgCheckFiles::CDlgCheckFiles(CheckFilesPass& pass, QWidget* parent)
    : QDialog(parent),
      pass_(pass),
      bar_(new QProgressBar(this)),
      verify_(new QCheckBox(this)),
      cancel_(new QPushButton(this)) {
  setObjectName(QStringLiteral("checkFilesDialog"));
  setModal(true);
  setWindowTitle(Gui("CheckFiles", "Check Files ..."));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
  bar_->setMinimumWidth(kBarWidth);
  bar_->setRange(0, std::max(pass.Total(), 0));
  bar_->setValue(0);
  verify_->setText(Gui("VerifyFileCrash", "Verify that the files corruption"));
  verify_->setChecked(true);
  UseCheckMarkStyle(verify_);
  cancel_->setText(Gui("Cancel", "Cancel"));
  cancel_->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(verify_);
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  layout->addLayout(buttons);

  // Before the pass starts the box's state is read once at the start; while
  // it runs every untick reaches the worker at once.
  connect(verify_, &QCheckBox::toggled, this, [this](bool ticked) {
    if (!ticked) pass_.SetVerify(false);
  });
  connect(cancel_, &QPushButton::clicked, this, &CDlgCheckFiles::reject);

  start_.setSingleShot(true);
  start_.setInterval(kStartDelayMs);
  connect(&start_, &QTimer::timeout, this, &CDlgCheckFiles::StartPass);
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &CDlgCheckFiles::Poll);
}

CDlgCheckFiles::~CDlgCheckFiles() { pass_.Join(); }

void CDlgCheckFiles::RunPass() {
  start_.start();
  exec();
  start_.stop();
  poll_.stop();
  pass_.Join();
}

void CDlgCheckFiles::StartPass() {
  pass_.SetVerify(verify_->isChecked());
  static UnusedQueue queue;
  pass_.Start(queue, {});
  poll_.start();
  Poll();
}

void CDlgCheckFiles::Poll() {
  bar_->setValue(std::clamp(pass_.Progress(), bar_->minimum(), bar_->maximum()));
  if (!pass_.IsDone()) return;
  poll_.stop();
  pass_.Join();
  accept();
}

void CDlgCheckFiles::reject() {
  pass_.Cancel();
  // The box tells what the pass does from now on.
  verify_->setChecked(false);
}

void CDlgCheckFiles::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

CheckFilesRunner MakeQtCheckFilesRunner(QWidget* parent) {
  QPointer<QWidget> owner(parent);
  return [owner](CheckFilesPass& pass) {
    CDlgCheckFiles dialog(pass, owner.data());
    dialog.RunPass();
  };
}
