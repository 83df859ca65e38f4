#include "tools/BackupTask.h"

#include <memory>

PromptAnswer BackupTask::AskingPrompt::Show(const std::string& text, const std::string& caption,
                                            PromptButtons buttons) {
  // Shared, since a question still queued when the worker gives up waiting
  // may run later.
  auto answer = std::make_shared<PromptAnswer>(PromptAnswer::No);
  const bool answered = worker_.AskOnUi([&prompt = prompt_, answer, text, caption, buttons] {
    *answer = prompt.Show(text, caption, buttons);
    return true;
  });
  return answered ? *answer : PromptAnswer::No;
}

BackupTask::BackupTask(UiQueue& ui, Prompt& prompt) : worker_(ui), asking_(worker_, prompt) {}

bool BackupTask::Start(const BackupJob& job, std::filesystem::path target,
                       std::function<void(const BackupResult&)> onEnd) {
  if (worker_.Running()) return false;
  filePercent_ = 0;
  overallPosition_ = 0;
  overallRange_ = 0;
  const auto work = [this, &job, target = std::move(target)] {
    BackupProgress progress;
    progress.file = [this](int percent) { filePercent_ = percent; };
    progress.overall = [this](int position, int range) {
      overallRange_ = range;
      overallPosition_ = position;
    };
    result_ = job.Run(target, asking_, worker_.CancelWord(), progress);
    return 0;
  };
  return worker_.Start(work, [this, onEnd = std::move(onEnd)](int) { onEnd(result_); });
}
