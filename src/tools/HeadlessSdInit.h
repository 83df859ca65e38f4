#pragma once
// The initialisation's ports without a window: the folder checked against
// the system's tables, the format run at once with the answers given in
// advance, its result told through the prompt. The command-line tool runs
// the procedure through it, and so do the tests, on image files.

#include <atomic>

#include "tools/CardFormatter.h"
#include "tools/FormatParams.h"
#include "tools/SdInit.h"

struct HeadlessFormatChoices {
  bool quick = true;
  bool restore = true;  // tick "Backup configuration file" where it may be ticked
  CardTypeAnswer cardType = CardTypeAnswer::kOther;
};

class HeadlessSdInitPorts final : public SdInitPorts {
 public:
  HeadlessSdInitPorts(const SystemCardDrives& drives, CardFormatter& formatter, Prompt& prompt,
                      HeadlessFormatChoices choices, const std::atomic<bool>& cancel);

  CardDrive InspectDrive(const std::filesystem::path& folder) override;
  FormatStepResult RunFormatStep(const CardDrive& drive, const std::filesystem::path& folder,
                                 bool restoreAllowed) override;
  void ReleaseCard() override {}
  void TellCardRoot(const std::filesystem::path& /*root*/) override {}

  // The last format's outcome, for the detail of a failure.
  const FormatOutcome& LastFormat() const { return last_; }

 private:
  const SystemCardDrives& drives_;
  CardFormatter& formatter_;
  Prompt& prompt_;
  HeadlessFormatChoices choices_;
  const std::atomic<bool>& cancel_;
  FormatOutcome last_;
};
