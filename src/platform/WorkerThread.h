#pragma once
// The one worker thread of a long job (an export, a card tool), with what
// it shares with its dialog: the cancel word the dialog writes and the work
// reads, the answer to a question asked on the user-interface thread, and the
// work's result, handed to the end callback on the user-interface thread once
// the thread's work is over. Nothing but the worker touches the work's results
// between Start and the end callback.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "platform/Ports.h"

class WorkerThread {
 public:
  explicit WorkerThread(UiQueue& ui);
  // Cancels and waits for the thread; an end not yet delivered is dropped.
  ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Runs work on a new thread; its result reaches onEnd on the
  // user-interface thread. False while a run is going on or when no thread
  // could be started.
  bool Start(std::function<int()> work, std::function<void(int result)> onEnd);

  void Cancel();
  const std::atomic<bool>& CancelWord() const { return cancel_; }

  // From Start until the end callback has run.
  bool Running() const { return running_.load(); }

  // From the worker: runs question on the user-interface thread and waits
  // for its answer. A cancel while waiting answers false.
  bool AskOnUi(std::function<bool()> question);

  // Waits until the thread has returned (its end may still be queued).
  void Join();

 private:
  UiQueue& ui_;
  std::thread thread_;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> running_{false};
  // Posted calls find out through this whether the worker still exists.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  std::mutex answerLock_;
  std::condition_variable answered_;
  std::optional<bool> answer_;
};
