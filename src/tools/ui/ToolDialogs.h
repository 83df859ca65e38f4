#pragma once
// The window's card-tool dialogs, opened modal over the panel when a tool
// command's checks have passed.
#include "tools/ToolCommands.h"

class CAppSetting;
class CardBusyMark;
class Prompt;
class QWidget;

class QtToolDialogLauncher final : public ToolDialogLauncher {
 public:
  // busy: held while a disk check or a format has the card away.
  QtToolDialogLauncher(QWidget* parent, CAppSetting& settings, Prompt& prompt, CardBusyMark& busy)
      : parent_(parent), settings_(settings), prompt_(prompt), busy_(busy) {}

  void Backup(const std::string& cardRoot, const BackupSelection& ticked) override;
  bool CheckDisk(const std::string& cardRoot) override;
  void InitSdCard(int modelId, const std::string& startFolder, const std::function<void()>& releaseCard,
                  const std::function<void(const std::string&)>& takeCardRoot, SettingsAfterFormat* settings) override;
  void DeviceSetting(int modelId, DeviceSettingDialogContext context) override;

 private:
  QWidget* parent_;
  CAppSetting& settings_;
  Prompt& prompt_;
  CardBusyMark& busy_;
};
