#pragma once
// The core's ports on Qt: callables posted to the event loop, timers on
// QTimer, the monotonic tick from QElapsedTimer, message boxes and the
// folder picker from QMessageBox and QFileDialog.
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>
#include <memory>

#include "platform/Ports.h"
#include "platform/Prompt.h"

class QWidget;

class QtUiQueue final : public UiQueue {
 public:
  // Posted callables run on the thread of context (the user-interface
  // thread); they are dropped when context is gone.
  explicit QtUiQueue(QObject* context) : context_(context) {}
  void Post(std::function<void()> call) override;
  void Send(std::function<void()> call) override;

 private:
  QPointer<QObject> context_;
};

class QtTimerHost final : public TimerHost {
 public:
  explicit QtTimerHost(QObject* parent) : parent_(parent) {}
  ~QtTimerHost() override;
  void SetTimer(int id, int periodMs, std::function<void()> onTick) override;
  void KillTimer(int id) override;
  bool IsTimerRunning(int id) const override;

 private:
  QObject* parent_;
  std::map<int, std::unique_ptr<QTimer>> timers_;
};

class QtClock final : public Clock {
 public:
  QtClock() { elapsed_.start(); }
  int64_t TickMs() const override { return elapsed_.elapsed(); }
  DateTime LocalNow() const override;

 private:
  QElapsedTimer elapsed_;
};

class QtPrompt final : public Prompt {
 public:
  explicit QtPrompt(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  PromptAnswer Show(const std::string& text, const std::string& caption, PromptButtons buttons) override;
  std::optional<std::string> PickFolder(const std::string& title, const std::string& startFolder) override;
  std::optional<std::string> PickSaveFile(const std::string& title, const std::string& startPath,
                                          const std::string& filter) override;

 private:
  QWidget* parent_;
};
