#include "tools/HeadlessSdInit.h"

#include "platform/Prompt.h"
#include "tools/FormatRun.h"
#include "tools/SdInitTexts.h"

HeadlessSdInitPorts::HeadlessSdInitPorts(const SystemCardDrives& drives, CardFormatter& formatter, Prompt& prompt,
                                         HeadlessFormatChoices choices, const std::atomic<bool>& cancel)
    : drives_(drives), formatter_(formatter), prompt_(prompt), choices_(choices), cancel_(cancel) {}

CardDrive HeadlessSdInitPorts::InspectDrive(const std::filesystem::path& folder) { return drives_.Inspect(folder); }

FormatStepResult HeadlessSdInitPorts::RunFormatStep(const CardDrive& drive, const std::filesystem::path& folder,
                                                    bool restoreAllowed) {
  const CardTypeAnswer answer = choices_.cardType;
  const FormatRunOutcome run = RunFormat(
      drive.target, choices_.quick, [answer] { return answer; }, formatter_, {}, cancel_);
  last_ = run.format;
  if (run.abandoned) return {};
  prompt_.Show(MessageText(FormatResultText(run.format.result)), GuiText(kFormatCaption), PromptButtons::Ok);
  if (run.format.result != FormatResult::kOk) return {};
  // An image standing for a card stays where it is "mounted".
  const std::filesystem::path root = drive.target.IsImage() ? folder : run.format.mountedAt;
  return {true, restoreAllowed && choices_.restore, root};
}
