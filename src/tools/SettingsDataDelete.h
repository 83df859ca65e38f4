#pragma once
// The Data Delete button of the device-settings dialog: the card's
// recordings, its configuration files, or both, without formatting.

#include <filesystem>
#include <functional>
#include <optional>

#include "platform/Prompt.h"
#include "tools/DeviceSettingModel.h"

struct DataDeleteChoice {
  bool recordings = false;     // "Delete Record Data"
  bool configuration = false;  // "Initialize configuration file"
};

struct DataDeletePorts {
  std::function<void()> releaseCard;
  // Families B to D: deletes the video recordings and the logs.
  std::function<void()> deleteAllRecordings;
};

// Family A's recorder: the files and folders inside the event and log
// folders go; the folders themselves stay, so the card keeps the layout the
// viewer and the recorder expect. False when something could not be deleted.
bool DeleteFamilyARecordings(const std::filesystem::path& cardRoot);

// Runs the chosen parts with their questions and messages; a folder that is
// not a card is refused before anything is asked. When the
// configuration was reset, the model reloaded from the now missing files
// (what the dialog then shows); nothing otherwise.
std::optional<CDeviceSettingModel> RunDataDelete(const std::filesystem::path& cardRoot, SettingsFamily family,
                                                 const DataDeleteChoice& choice, Prompt& prompt,
                                                 const DataDeletePorts& ports, const RecorderClock& now);
