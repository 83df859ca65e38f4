#include "app/AfterFirstPaint.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kLongestWaitMs = 1000;

// Qt draws a widget window while it handles the expose event: the step is
// posted from there and runs after the drawing has reached the screen.
class FirstExpose : public QObject {
 public:
  FirstExpose(QWindow& window, std::function<void()> step) : QObject(&window), step_(std::move(step)) {
    window.installEventFilter(this);
    QTimer::singleShot(kLongestWaitMs, this, [this] { Run(); });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
      QTimer::singleShot(0, this, [this] { Run(); });
    return false;
  }

 private:
  void Run() {
    if (!step_) return;
    std::function<void()> step = std::move(step_);
    step_ = nullptr;
    deleteLater();
    step();
  }

  std::function<void()> step_;
};

}  // namespace

void RunAfterFirstPaint(QWidget& window, std::function<void()> step) {
  QWindow* handle = window.windowHandle();
  if (handle == nullptr || handle->isExposed()) {
    QTimer::singleShot(0, &window, std::move(step));
    return;
  }
  new FirstExpose(*handle, std::move(step));
}
