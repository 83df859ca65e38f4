#include "tools/ui/DiskCheckLauncher.h"

#include "platform/ChildRunner.h"
#include "platform/Prompt.h"
#include "platform/Trace.h"
#include "platform/Volumes.h"
#include "tools/DiskCheckTarget.h"
#include "tools/DiskCheckTexts.h"
#include "tools/ui/DlgCheckDisk.h"

bool RunDiskCheckDialog(const std::string& cardRoot, Prompt& prompt, QWidget* parent) {
  const Volumes volumes;
  const DiskCheckTargets targets(volumes);
  const DiskCheckTarget target = targets.Resolve(cardRoot);
  if (target.Refused()) {
    KTRACE("%s", DiskCheckRefusalText(target.refusal, cardRoot).c_str());
    prompt.Show(MessageText(kMsgNotSdDrive), GuiText(kCheckDiskCaption), PromptButtons::Ok);
    return false;
  }
  SpawnChildRunner runner;
  CDlgCheckDisk dialog(target, targets, runner, prompt, parent);
  return dialog.exec() == QDialog::Accepted;
}
