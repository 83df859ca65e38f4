#include "tools/ui/DlgDelFiles.h"

#include <QProgressBar>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <thread>

#include "base/MgrMultiLang.h"
#include "skin/ui/DialogStyle.h"

namespace {

constexpr int kBarWidth = 320;

}  // namespace

CDlgDelFiles::CDlgDelFiles(std::filesystem::path root, bool deleteVideo, bool deleteLogs, QWidget* parent)
    : QDialog(parent),
      job_(std::move(root), deleteVideo, deleteLogs),
      bar_(new QProgressBar(this)),
      queue_(this),
      worker_(queue_) {
  setObjectName(QStringLiteral("deleteFilesDialog"));
  setModal(true);
  setWindowTitle(QString::fromStdString(GetLangText("GUI", "DelFiles", "Delete Files ...")));
  setStyleSheet(QString::fromLatin1(kDialogStyleSheet));
  bar_->setMinimumWidth(kBarWidth);
  bar_->setRange(0, 0);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);

  count_.setSingleShot(true);
  count_.setInterval(kCountDelayMs);
  connect(&count_, &QTimer::timeout, this, &CDlgDelFiles::CountAndStart);
  count_.start();
  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &CDlgDelFiles::Poll);
}

CDlgDelFiles::~CDlgDelFiles() = default;

void CDlgDelFiles::CountAndStart() {
  const int total = job_.Count();
  low_ = 0;
  high_ = total;
  pos_ = 0;
  Poll();
  DeleteProgress progress;
  progress.range = [this](int low, int high) {
    low_ = low;
    high_ = high;
  };
  progress.position = [this](int position) { pos_ = position; };
  progress.pause = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  const bool started = worker_.Start(
      [this, total, progress] {
        deleted_ = job_.Run(total, progress);
        return 0;
      },
      [this](int) {
        poll_.stop();
        Poll();
        accept();
      });
  if (!started) {
    QDialog::reject();
    return;
  }
  poll_.start();
}

void CDlgDelFiles::Poll() {
  const int low = low_.load();
  const int high = high_.load();
  if (bar_->minimum() != low || bar_->maximum() != high) bar_->setRange(low, high);
  bar_->setValue(std::clamp(pos_.load(), low, high));
}
