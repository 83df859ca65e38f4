#pragma once
// The texts of the disk check, by language key with the English text for a
// missing language file.

#include <filesystem>
#include <string>
#include <string_view>

#include "tools/DiskCheckJob.h"

struct DiskCheckText {
  std::string_view section;
  std::string_view key;
  std::string_view defaultText;
};

inline constexpr DiskCheckText kCheckDiskOk{"Message", "CheckDiskOK", "CheckDisk OK"};
inline constexpr DiskCheckText kCheckDiskFail{"Message", "CheckDiskFail", "CheckDisk Fail"};
inline constexpr DiskCheckText kCheckDiskCancel{"Message", "CheckDiskCancel", "CheckDisk Cancel"};
inline constexpr DiskCheckText kCheckDiskNotSdDrive{"Message", "NotSDDrive", "Not SD Card Drive"};
inline constexpr DiskCheckText kCheckDiskRemountedAt{"Message", "CheckDiskMountedAt", "The card is mounted at %s"};
inline constexpr DiskCheckText kCheckDiskMountYourself{"Message", "CheckDiskNotMounted",
                                                       "The card could not be mounted again; mount it to use it"};
inline constexpr DiskCheckText kCheckDiskCaption{"GUI", "CheckDisk", "Check Disk"};
inline constexpr DiskCheckText kCheckDiskDrive{"GUI", "DiskDrive", "Drive"};
inline constexpr DiskCheckText kCheckDiskStart{"GUI", "Start", "Start"};
inline constexpr DiskCheckText kCheckDiskCancelButton{"GUI", "Cancel", "Cancel"};
inline constexpr DiskCheckText kCheckDiskClose{"GUI", "Close", "Close"};

std::string DiskCheckTextOf(const DiskCheckText& text);

// The result message of a state: "CheckDisk OK", "CheckDisk Fail", "CheckDisk Cancel".
const DiskCheckText& DiskCheckResultText(DiskCheckState state);
// Where a card that was unmounted for the check is now; with an empty
// path, that it could not be mounted again.
std::string WhereTheCardIsText(const std::filesystem::path& mountedAt);
