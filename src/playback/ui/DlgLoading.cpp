#include "playback/ui/DlgLoading.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "playback/LoadingDialogModel.h"

namespace {

constexpr int kBarWidth = 320;

const char* const kStyle =
    "QDialog { background: #20252b; }"
    "QProgressBar { background: #14171b; color: #e6e9ed; border: 1px solid #3a424c; border-radius: 2px;"
    " text-align: center; min-height: 16px; }"
    "QProgressBar::chunk { background: #3d8fd1; }"
    "QPushButton { background: #2d343c; color: #e6e9ed; border: 1px solid #4a545f; padding: 4px 16px; }"
    "QPushButton:hover { background: #38414b; }"
    "QPushButton:disabled { color: #8a929b; }";

}  // namespace

CDlgLoading::CDlgLoading(LoadingDialogModel& model, QWidget* parent)
    : QDialog(parent), model_(model), bar_(new QProgressBar(this)), cancel_(new QPushButton(this)) {
  setObjectName(QStringLiteral("loadingDialog"));
  setModal(true);
  setWindowTitle(QString::fromStdString(model.Caption()));
  setStyleSheet(QString::fromLatin1(kStyle));
  bar_->setMinimumWidth(kBarWidth);
  bar_->setRange(0, 0);  // busy until the reader gives its range
  cancel_->setText(QString::fromStdString(LoadingDialogModel::CancelCaption()));
  cancel_->setAutoDefault(false);
  connect(cancel_, &QPushButton::clicked, this, &CDlgLoading::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  layout->addLayout(buttons);

  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, &CDlgLoading::Poll);
}

void CDlgLoading::SetProgressRange(int low, int high) {
  low_.store(low);
  high_.store(high);
}

LoadResult CDlgLoading::RunLoad() {
  ended_.store(false);
  if (!model_.Start(*this)) return LoadResult::kFailed;
  poll_.start();
  // A reader that finished inside Start is seen by the first poll, which
  // runs only once the loop below is running.
  exec();
  poll_.stop();
  return result_;
}

void CDlgLoading::Poll() {
  const int low = low_.load();
  const int high = high_.load();
  if (high > low && (bar_->minimum() != low || bar_->maximum() != high)) bar_->setRange(low, high);
  if (high > low) bar_->setValue(std::clamp(pos_.load(), low, high));
  if (!ended_.load()) return;
  poll_.stop();
  result_ = model_.Complete(*this);
  done(static_cast<int>(result_));
}

void CDlgLoading::reject() {
  LoadingDialogModel::Cancel(*this);
  cancel_->setEnabled(false);
}

void CDlgLoading::closeEvent(QCloseEvent* event) {
  event->ignore();
  reject();
}

LoadResult QtLoadingDialogRunner::Run(LoadingDialogModel& model) {
  CDlgLoading dialog(model, parent_);
  CDlgLoading* outer = std::exchange(shown_, &dialog);
  const LoadResult result = dialog.RunLoad();
  shown_ = outer;
  return result;
}

void QtLoadingDialogRunner::CancelShown() {
  if (shown_) shown_->reject();
}
