#pragma once
// A Prompt with answers given in advance, that remembers what it was asked.

#include <deque>
#include <vector>

#include "platform/Prompt.h"

class ScriptedPrompt final : public Prompt {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    PromptButtons buttons;
  };

  // Answers are used in order; when they run out, boxes answer Ok (or the
  // first button) and the picker cancels.
  void QueueAnswer(PromptAnswer answer) { answers_.push_back(answer); }
  void QueueFolder(std::optional<std::string> folder) { folders_.push_back(std::move(folder)); }
  void QueueSaveFile(std::optional<std::string> path) { saveFiles_.push_back(std::move(path)); }

  PromptAnswer Show(const std::string& text, const std::string& caption, PromptButtons buttons) override {
    shown_.push_back({text, caption, buttons});
    if (!answers_.empty()) {
      const PromptAnswer answer = answers_.front();
      answers_.pop_front();
      return answer;
    }
    return AsksYesOrNo(buttons) ? PromptAnswer::Yes : PromptAnswer::Ok;
  }

  std::optional<std::string> PickFolder(const std::string& title, const std::string&) override {
    pickerTitles_.push_back(title);
    if (folders_.empty()) return std::nullopt;
    auto folder = folders_.front();
    folders_.pop_front();
    return folder;
  }

  std::optional<std::string> PickSaveFile(const std::string& title, const std::string&, const std::string&) override {
    pickerTitles_.push_back(title);
    if (saveFiles_.empty()) return std::nullopt;
    auto path = saveFiles_.front();
    saveFiles_.pop_front();
    return path;
  }

  const std::vector<Shown>& ShownBoxes() const { return shown_; }
  const std::vector<std::string>& PickerTitles() const { return pickerTitles_; }

 private:
  std::deque<PromptAnswer> answers_;
  std::deque<std::optional<std::string>> folders_;
  std::deque<std::optional<std::string>> saveFiles_;
  std::vector<Shown> shown_;
  std::vector<std::string> pickerTitles_;
};
