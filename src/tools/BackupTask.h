#pragma once
// A backup as its dialog runs it: the job on one worker thread, the two
// bars' values in atomics that the dialog's timer reads, the overwrite
// question asked through the dialog's Prompt on the user-interface thread,
// and the result handed to the end callback there.

#include <atomic>
#include <filesystem>
#include <functional>

#include "platform/Prompt.h"
#include "platform/WorkerThread.h"
#include "tools/BackupJob.h"

class BackupTask {
 public:
  BackupTask(UiQueue& ui, Prompt& prompt);

  // Runs job into target; job must stay as it is until onEnd has run.
  // False while a run is going on.
  bool Start(const BackupJob& job, std::filesystem::path target, std::function<void(const BackupResult&)> onEnd);
  // The current file is abandoned and no further file is begun.
  void Cancel() { worker_.Cancel(); }
  bool Running() const { return worker_.Running(); }

  int FilePercent() const { return filePercent_.load(); }
  int OverallPosition() const { return overallPosition_.load(); }
  int OverallRange() const { return overallRange_.load(); }

 private:
  // The worker's side of the dialog's Prompt: each question is shown on the
  // user-interface thread while the worker waits for the answer.
  class AskingPrompt final : public Prompt {
   public:
    AskingPrompt(WorkerThread& worker, Prompt& prompt) : worker_(worker), prompt_(prompt) {}
    PromptAnswer Show(const std::string& text, const std::string& caption, PromptButtons buttons) override;
    std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

   private:
    WorkerThread& worker_;
    Prompt& prompt_;
  };

  std::atomic<int> filePercent_{0};
  std::atomic<int> overallPosition_{0};
  std::atomic<int> overallRange_{0};
  BackupResult result_;
  // Last: its destructor waits for the thread that uses the members above.
  WorkerThread worker_;
  AskingPrompt asking_;
};
