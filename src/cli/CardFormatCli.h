#pragma once
// What the format and init-card commands share: the system's tables (a
// mount table named by KORVANE_MOUNT_TABLE stands in for the system's, and
// then only image files count as cards, so no made-up table leads to a
// disk), the quick/full and card-type options, and a prompt that prints the
// messages the window would show.

#include <memory>
#include <optional>
#include <string>

#include "platform/Prompt.h"
#include "platform/Volumes.h"
#include "tools/FormatParams.h"
#include "tools/FormatTarget.h"

struct CardTables {
  std::unique_ptr<Volumes> volumes;
  std::unique_ptr<DiskCheckTargets> checks;
  std::unique_ptr<FormatTargets> targets;
  bool imagesOnly = false;
};

CardTables SystemCardTables();

// "sd" or "sdhc"; anything else (and nothing) is "Other Type".
CardTypeAnswer CardTypeOption(const std::string& option);

// The window's message boxes on the terminal: results on standard output,
// refusals and failures as one line on standard error. Questions answer OK
// (the command was run with --yes); the folder picker answers the folder
// given.
class CardToolPrompt final : public Prompt {
 public:
  explicit CardToolPrompt(std::string folder) : folder_(std::move(folder)) {}
  PromptAnswer Show(const std::string& text, const std::string& caption, PromptButtons buttons) override;
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return folder_; }

 private:
  std::string folder_;
};
