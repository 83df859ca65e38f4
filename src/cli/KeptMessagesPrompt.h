#pragma once
// The loading's message boxes without a screen: their texts are kept, and
// printed only where the command has nothing more telling to say. Boxes with
// a choice answer Cancel.

#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "platform/Prompt.h"

class KeptMessagesPrompt final : public Prompt {
 public:
  PromptAnswer Show(const std::string& text, const std::string&, PromptButtons buttons) override {
    messages_.push_back(text);
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

  void PrintMessages() const {
    for (const std::string& text : messages_) PrintError(text);
  }

 private:
  std::vector<std::string> messages_;
};
