#include "platform/ui/QtPorts.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QThread>

void QtUiQueue::Post(std::function<void()> call) {
  if (!context_) return;
  QMetaObject::invokeMethod(context_, std::move(call), Qt::QueuedConnection);
}

void QtUiQueue::Send(std::function<void()> call) {
  if (!context_) return;
  // From the user-interface thread itself a blocking queued call would wait
  // for itself; it runs at once instead, as a sent message does.
  if (QThread::currentThread() == context_->thread()) {
    call();
    return;
  }
  QMetaObject::invokeMethod(context_, std::move(call), Qt::BlockingQueuedConnection);
}

QtTimerHost::~QtTimerHost() {
  for (auto& [id, timer] : timers_) timer->stop();
}

void QtTimerHost::SetTimer(int id, int periodMs, std::function<void()> onTick) {
  auto& timer = timers_[id];
  if (!timer) {
    timer = std::make_unique<QTimer>(parent_);
    timer->setTimerType(Qt::PreciseTimer);
  }
  timer->stop();
  QObject::disconnect(timer.get(), &QTimer::timeout, nullptr, nullptr);
  QObject::connect(timer.get(), &QTimer::timeout, timer.get(), std::move(onTick));
  timer->start(periodMs);
}

void QtTimerHost::KillTimer(int id) {
  auto found = timers_.find(id);
  if (found != timers_.end()) found->second->stop();
}

bool QtTimerHost::IsTimerRunning(int id) const {
  auto found = timers_.find(id);
  return found != timers_.end() && found->second->isActive();
}

DateTime QtClock::LocalNow() const {
  const QDateTime now = QDateTime::currentDateTime();
  const QDate date = now.date();
  const QTime time = now.time();
  DateTime local;
  local.year = static_cast<uint16_t>(date.year());
  local.month = static_cast<uint16_t>(date.month());
  local.dayOfWeek = static_cast<uint16_t>(date.dayOfWeek() % 7);  // Qt counts Monday 1 .. Sunday 7
  local.day = static_cast<uint16_t>(date.day());
  local.hour = static_cast<uint16_t>(time.hour());
  local.minute = static_cast<uint16_t>(time.minute());
  local.second = static_cast<uint16_t>(time.second());
  local.milliseconds = static_cast<uint16_t>(time.msec());
  return local;
}

namespace {

QMessageBox::StandardButtons ButtonsOf(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok:
      return QMessageBox::Ok;
    case PromptButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case PromptButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case PromptButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case PromptButtons::YesYesToAllNo:
      return QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No;
  }
  return QMessageBox::Ok;
}

PromptAnswer AnswerOf(int button, PromptButtons buttons) {
  switch (button) {
    case QMessageBox::Ok:
      return PromptAnswer::Ok;
    case QMessageBox::Yes:
      return PromptAnswer::Yes;
    case QMessageBox::YesToAll:
      return PromptAnswer::YesToAll;
    case QMessageBox::No:
      return PromptAnswer::No;
    case QMessageBox::Cancel:
      return PromptAnswer::Cancel;
    default:
      break;
  }
  // Closed by Esc or the window manager.
  return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesYesToAllNo ? PromptAnswer::No
                                                                                    : PromptAnswer::Cancel;
}

// What a title bar takes beside its text: the window manager's buttons and
// margins.
constexpr int kTitleBarAllowance = 120;

// A box as narrow as its text would have the window manager cut its caption
// (the dialog or command it speaks for): it is made wide enough to show it
// whole.
void KeepCaptionWhole(QMessageBox& box, const QString& caption) {
  auto* grid = qobject_cast<QGridLayout*>(box.layout());
  if (!grid) return;
  const int width = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(caption);
  grid->addItem(new QSpacerItem(width + kTitleBarAllowance, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

PromptAnswer QtPrompt::Show(const std::string& text, const std::string& caption, PromptButtons buttons) {
  QMessageBox box(buttons == PromptButtons::Ok ? QMessageBox::Information : QMessageBox::Question,
                  QString::fromStdString(caption), QString::fromStdString(text), ButtonsOf(buttons), parent_);
  KeepCaptionWhole(box, box.windowTitle());
  return AnswerOf(box.exec(), buttons);
}

std::optional<std::string> QtPrompt::PickFolder(const std::string& title, const std::string& startFolder) {
  const QString folder =
      QFileDialog::getExistingDirectory(parent_, QString::fromStdString(title), QString::fromStdString(startFolder));
  if (folder.isEmpty()) return std::nullopt;
  return folder.toStdString();
}

std::optional<std::string> QtPrompt::PickSaveFile(const std::string& title, const std::string& startPath,
                                                  const std::string& filter) {
  // The export asks its own overwrite question, once.
  const QString path =
      QFileDialog::getSaveFileName(parent_, QString::fromStdString(title), QString::fromStdString(startPath),
                                   QString::fromStdString(filter), nullptr, QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}
