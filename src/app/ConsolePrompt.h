#pragma once
// Message boxes for a run that nobody watches (the screenshot mode): each
// text goes to stderr and is answered as if its first button were pressed;
// the folder picker is cancelled.
#include <cstdio>

#include "platform/Prompt.h"

class ConsolePrompt final : public Prompt {
 public:
  PromptAnswer Show(const std::string& text, const std::string& caption, PromptButtons buttons) override {
    std::fprintf(stderr, "korvane: %s: %s\n", caption.c_str(), text.c_str());
    return AsksYesOrNo(buttons) ? PromptAnswer::Yes : PromptAnswer::Ok;
  }
  std::optional<std::string> PickFolder(const std::string& /*title*/, const std::string& /*startFolder*/) override {
    return std::nullopt;
  }
};
