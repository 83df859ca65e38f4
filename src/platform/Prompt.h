#pragma once
// Message boxes and the folder and file pickers, as the core asks for them. The window
// answers with Qt dialogs; the command-line tool and the tests script the
// answers and record the texts.

#include <optional>
#include <string>

// YesYesToAllNo: a question asked once per file of a run; Yes to all
// answers it for the files still to come.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, YesYesToAllNo };
enum class PromptAnswer { Ok, Cancel, Yes, No, YesToAll };

// Whether the buttons are a question with Yes among them.
inline bool AsksYesOrNo(PromptButtons buttons) {
  return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel ||
         buttons == PromptButtons::YesYesToAllNo;
}

class Prompt {
 public:
  virtual ~Prompt() = default;
  // Shows text with caption and the buttons; returns the button pressed
  // (closing the box counts as Cancel, or No where there is no Cancel).
  virtual PromptAnswer Show(const std::string& text, const std::string& caption, PromptButtons buttons) = 0;
  // Asks for a folder; nothing when the user cancels.
  virtual std::optional<std::string> PickFolder(const std::string& title, const std::string& startFolder) = 0;
  // Asks for a file to write, starting at startPath; filter is a Qt name
  // filter such as "GPX (*.gpx)". Nothing when the user cancels. The
  // caller asks about overwriting an existing file itself.
  virtual std::optional<std::string> PickSaveFile(const std::string& /*title*/, const std::string& /*startPath*/,
                                                  const std::string& /*filter*/) {
    return std::nullopt;
  }
};
