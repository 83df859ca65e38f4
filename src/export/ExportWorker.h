#pragma once
// The one worker thread of an export, with what it shares with its dialog:
// a cancel word, the progress (read by the dialog's timer or the command
// line, written by the worker), the answer to a question asked on the
// user-interface thread, and the result, handed to the end callback on the
// user-interface thread once the thread's work is over.
//
// Nothing but the worker touches the job's results between Start and the
// end callback.

#include <atomic>
#include <functional>

#include "platform/WorkerThread.h"

// How an AVI, KML, GPX or CSV export ended (the JPEG export has its own).
enum class ExportResult { kFailed = 1, kCancelled = 2, kDone = 3 };

struct ExportProgress {
  std::atomic<int> high{0};  // the bar's range is 0..high
  std::atomic<int> pos{0};
  std::atomic<int> part{0};   // the status text "part / parts", from 1; 0 for none
  std::atomic<int> parts{0};  // how many parts (logs, recordings) the export has
};

// The export's worker thread with the export's progress beside it.
class ExportWorker {
 public:
  explicit ExportWorker(UiQueue& ui) : thread_(ui) {}

  // Runs work on a new thread with the progress at zero; its result reaches
  // onEnd on the user-interface thread. False while an export runs or when
  // no thread could be started.
  template <class Result>
  bool Start(std::function<Result()> work, std::function<void(Result result)> onEnd) {
    return StartThread([work = std::move(work)] { return static_cast<int>(work()); },
                       [onEnd = std::move(onEnd)](int result) { onEnd(static_cast<Result>(result)); });
  }

  // The dialog's Cancel: the worker looks at the word where its export says.
  void Cancel() { thread_.Cancel(); }
  bool CancelRequested() const { return thread_.CancelWord().load(); }
  // For a loop inside a part the worker hands its work to.
  const std::atomic<bool>& CancelWord() const { return thread_.CancelWord(); }

  // From Start until the end callback has run.
  bool Running() const { return thread_.Running(); }

  ExportProgress& Progress() { return progress_; }
  const ExportProgress& Progress() const { return progress_; }

  // From the worker: runs question on the user-interface thread and waits
  // for its answer. A cancel while waiting answers false.
  bool AskOnUi(std::function<bool()> question) { return thread_.AskOnUi(std::move(question)); }

 private:
  bool StartThread(std::function<int()> work, std::function<void(int)> onEnd);

  WorkerThread thread_;
  ExportProgress progress_;
};
