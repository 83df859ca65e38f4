#pragma once
// The card-tool commands of the window: Backup, from the button and the
// Tool menu, the disk check and SD Initialize from the Tool menu, and the
// device settings from the Setup button and the Tool menu. Each checks that
// there is a card to work on, says what is missing when there is not, and
// otherwise opens its dialog through the launcher.
#include <functional>
#include <string>

#include "base/CommandTable.h"
#include "tools/BackupJob.h"
#include "tools/DeviceSettingDialogContext.h"

class CAppSetting;
class Prompt;
class SettingsAfterFormat;
class Volumes;

// The card-tool dialogs, opened once the command's checks passed; each runs
// until the user closes it.
class ToolDialogLauncher {
 public:
  virtual ~ToolDialogLauncher() = default;
  virtual void Backup(const std::string& cardRoot, const BackupSelection& ticked) = 0;
  // True when the check succeeded.
  virtual bool CheckDisk(const std::string& cardRoot) = 0;
  // SD Initialize for the model, starting at folder; settings: what goes
  // onto the new card (null: the family's defaults, the Tool menu's way).
  virtual void InitSdCard(int modelId, const std::string& startFolder, const std::function<void()>& releaseCard,
                          const std::function<void(const std::string&)>& takeCardRoot,
                          SettingsAfterFormat* settings) = 0;
  // The settings dialog of the model's family.
  virtual void DeviceSetting(int modelId, DeviceSettingDialogContext context) = 0;
};

struct ToolCommandContext {
  CAppSetting& settings;
  Prompt& prompt;
  ToolDialogLauncher& dialogs;
  // The chosen data folder (empty: none) and the recordings ticked in the
  // file lists, read when a command runs.
  std::function<std::string()> cardRoot;
  std::function<BackupSelection()> tickedRecordings;
  // Playback stops before a tool works on the card.
  std::function<void()> stopPlayback;
  // Scans the card again after a tool changed it.
  std::function<void()> rescanCard;
  // The store lets go of the card before it is formatted, and takes the
  // initialised card's folder afterwards.
  std::function<void()> releaseCard;
  std::function<void(const std::string&)> takeCardRoot;
  // Asks for a data folder as the Open command does, without scanning it;
  // true when one was chosen.
  std::function<bool()> chooseCard = {};
  // Lets go of the recordings loaded from the card (keeping the card
  // chosen) before a tool deletes any.
  std::function<void()> releaseRecordings = {};
  // The car pulse type the device settings saved, for the speed display.
  std::function<void(int pulseType)> pulseTypeSaved = {};
  // Where the size check finds out what kind of drive holds the card.
  const Volumes* volumes = nullptr;
};

void AddToolCommands(CommandTable& table, ToolCommandContext& context);
