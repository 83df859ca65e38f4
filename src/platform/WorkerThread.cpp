#include "platform/WorkerThread.h"

#include <system_error>

WorkerThread::WorkerThread(UiQueue& ui) : ui_(ui) {}

WorkerThread::~WorkerThread() {
  *alive_ = false;
  Cancel();
  Join();
}

bool WorkerThread::Start(std::function<int()> work, std::function<void(int)> onEnd) {
  if (running_.load()) return false;
  // The thread of the previous run has posted its end and returned.
  Join();
  cancel_ = false;
  running_ = true;
  try {
    thread_ = std::thread([this, work = std::move(work), onEnd = std::move(onEnd)] {
      const int result = work();
      ui_.Post([this, alive = alive_, result, onEnd] {
        if (!*alive) return;
        running_ = false;
        onEnd(result);
      });
    });
  } catch (const std::system_error&) {
    running_ = false;
    return false;
  }
  return true;
}

void WorkerThread::Cancel() {
  {
    std::lock_guard guard(answerLock_);
    cancel_ = true;
  }
  answered_.notify_all();
}

void WorkerThread::Join() {
  if (thread_.joinable()) thread_.join();
}

bool WorkerThread::AskOnUi(std::function<bool()> question) {
  {
    std::lock_guard guard(answerLock_);
    answer_.reset();
  }
  ui_.Post([this, alive = alive_, question = std::move(question)] {
    if (!*alive) return;
    const bool answer = question();
    {
      std::lock_guard guard(answerLock_);
      answer_ = answer;
    }
    answered_.notify_all();
  });
  std::unique_lock wait(answerLock_);
  answered_.wait(wait, [this] { return answer_.has_value() || cancel_.load(); });
  return answer_.value_or(false);
}
