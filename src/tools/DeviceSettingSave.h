#pragma once
// The OK button of the device-settings dialog: the checks, the question,
// the backup offer when a new recording method makes the card's recordings
// useless, and the write of set.ini and its companions. Every check that
// can fail runs before the first recording is deleted. The window and the
// command-line tool give their own ways to back up, delete and release.

#include <filesystem>
#include <functional>

#include "platform/Prompt.h"
#include "tools/DeviceSettingModel.h"
#include "tools/RecorderClockNow.h"

struct DeviceSettingSavePorts {
  // Backs up the whole card; true when the backup completed.
  std::function<bool()> backupWholeCard;
  // Lets go of the card's loaded recordings before they are deleted.
  std::function<void()> releaseCard;
  // Deletes the card's video recordings; the logs stay.
  std::function<void()> deleteVideos;
  // The car pulse type just saved (family D), for the speed display.
  std::function<void(int pulseType)> pulseTypeSaved;
  // Whether the card is refused for its size.
  std::function<bool(const std::filesystem::path& cardRoot)> unsupportedSize;
  // The local time at the moment of writing, which the recorder's clock is
  // set to unless the user set the pickers.
  std::function<RecorderClock()> clockNow = LocalRecorderClockNow;
};

enum class SaveOutcome {
  kSaved,        // written; the dialog closes
  kSaveError,    // writing failed and was reported; the dialog closes too
  kInvalidSdId,  // reported; the card ID field takes the focus
  kStopped,      // a check or the user stopped it; nothing written
};

// The file the write test creates at the card root and removes again.
inline constexpr const char* kWriteTestFileName = "test.txt";

// Whether a file can be created at the card root and in its config folder.
// A file of that name the user keeps there is left alone.
bool CardAcceptsWrites(const std::filesystem::path& cardRoot);

SaveOutcome SaveDeviceSettings(const std::filesystem::path& cardRoot, const CDeviceSettingModel& model, Prompt& prompt,
                               const DeviceSettingSavePorts& ports);
