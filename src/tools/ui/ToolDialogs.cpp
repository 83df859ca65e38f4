#include "tools/ui/ToolDialogs.h"

#include "tools/CardBusyMark.h"
#include "tools/ui/DiskCheckLauncher.h"
#include "tools/ui/DlgBackup.h"
#include "tools/ui/DlgSetting.h"
#include "tools/ui/SdInitLauncher.h"

void QtToolDialogLauncher::Backup(const std::string& cardRoot, const BackupSelection& ticked) {
  CDlgBackup dialog(cardRoot, ticked, false, settings_, prompt_, parent_);
  dialog.exec();
}

bool QtToolDialogLauncher::CheckDisk(const std::string& cardRoot) {
  // The check unmounts the card and mounts it again.
  const CardBusyMark::Hold hold(busy_);
  return RunDiskCheckDialog(cardRoot, prompt_, parent_);
}

void QtToolDialogLauncher::InitSdCard(int modelId, const std::string& startFolder,
                                      const std::function<void()>& releaseCard,
                                      const std::function<void(const std::string&)>& takeCardRoot,
                                      SettingsAfterFormat* settings) {
  RunSdInit(modelId, startFolder, prompt_, parent_, releaseCard, takeCardRoot, settings, &busy_);
}

void QtToolDialogLauncher::DeviceSetting(int modelId, DeviceSettingDialogContext context) {
  const auto dialog = MakeDeviceSettingDialog(modelId, std::move(context), parent_);
  if (dialog) dialog->exec();
}
