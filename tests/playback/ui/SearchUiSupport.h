#pragma once
// What the search window's and its dialogs' tests share: a small generated
// card, a watchdog that ends a modal loop that would never end (the test
// then fails instead of hanging the run) and a probe that acts once on the
// first modal dialog of a type that comes up.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

#include "samplecard/SampleCard.h"

namespace search_ui_test {

inline SampleCardOptions SmallCard(int events, int normals, int logs) {
  SampleCardOptions options;
  options.events = events;
  options.normals = normals;
  options.logs = logs;
  options.eventSeconds = 3;
  options.fps = 5;
  options.width = 64;
  options.height = 48;
  return options;
}

class ModalWatchdog {
 public:
  static constexpr int kMs = 20000;

  explicit ModalWatchdog(int result) {
    timer_.setInterval(kMs);
    QObject::connect(&timer_, &QTimer::timeout, [result] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(result);
    });
    timer_.start();
  }

 private:
  QTimer timer_;
};

template <typename Dialog>
class ModalProbe {
 public:
  explicit ModalProbe(std::function<void(Dialog&)> act) : act_(std::move(act)) {
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
      if (!dialog) return;
      timer_.stop();
      act_(*dialog);
    });
    timer_.start();
  }

 private:
  std::function<void(Dialog&)> act_;
  QTimer timer_;
};

}  // namespace search_ui_test
