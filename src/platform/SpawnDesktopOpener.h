#pragma once
// The desktop's "open" as the running system has it: xdg-open, run as a
// child whose answer is awaited for a short while. xdg-open says at once
// when it found nothing to open with (a non-zero exit); when the program it
// found holds it (xdg-open waits for some viewers), that program took the
// file. Starting xdg-open alone proves nothing, which is why the window no
// longer trusts a started process as an answer.
#include <string>

#include "platform/DesktopOpener.h"

class SpawnDesktopOpener final : public DesktopOpener {
 public:
  // How long the opener's answer is waited for before a running child
  // counts as a program that took the file.
  static constexpr int kAnswerMs = 1500;

  explicit SpawnDesktopOpener(std::string program = "xdg-open", int answerMs = kAnswerMs)
      : program_(std::move(program)), answerMs_(answerMs) {}

  bool OpenFile(const std::filesystem::path& file) override { return Open(file.string()); }
  bool OpenUrl(const std::string& url) override { return Open(url); }

 private:
  bool Open(const std::string& target) const;

  std::string program_;
  int answerMs_;
};
