#pragma once
// What a device-settings dialog works with: the card, the settings and
// prompt, the drives, and what the window does around a save.
#include <filesystem>
#include <functional>

#include "tools/RecorderClockNow.h"

class CAppSetting;
class Prompt;
class Volumes;

struct DeviceSettingDialogContext {
  std::filesystem::path cardRoot;
  CAppSetting& settings;
  Prompt& prompt;
  const Volumes& volumes;
  // Lets go of the recordings loaded from the card before any is deleted.
  std::function<void()> releaseCard;
  // The car pulse type a save wrote (family D), for the speed display.
  std::function<void(int pulseType)> pulseTypeSaved;
  // The card initialisation; it returns the card the dialog goes on with
  // (empty: the one it had). The Init SD Card button is hidden without it.
  std::function<std::filesystem::path()> initSdCard;
  // The local time now, which the clock pickers follow until the user sets
  // them and a save writes.
  std::function<RecorderClock()> clockNow = LocalRecorderClockNow;
};
