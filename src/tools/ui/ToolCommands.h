#pragma once
// The card-tool commands of the window: Backup, from the button and the
// Tool menu, the disk check from the Tool menu, and the device settings
// from the Setup button and the Tool menu.
#include <QWidget>
#include <functional>
#include <string>

#include "base/CommandTable.h"
#include "tools/BackupJob.h"

class CAppSetting;
class Prompt;
class Volumes;

struct ToolCommandContext {
  QWidget* parent;
  CAppSetting& settings;
  Prompt& prompt;
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
