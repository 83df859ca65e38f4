#pragma once
// The texts of the disk check: message box texts and, last, the dialog's caption;
// by language key with the English text for a
// missing language file.

#include <filesystem>
#include <string>
#include <string_view>

#include "base/CommonTexts.h"
#include "base/LangText.h"
#include "tools/DiskCheckJob.h"

inline constexpr LangText kCheckDiskOk{"CheckDiskOK", "CheckDisk OK"};
inline constexpr LangText kCheckDiskFail{"CheckDiskFail", "CheckDisk Fail"};
inline constexpr LangText kCheckDiskCancel{"CheckDiskCancel", "CheckDisk Cancel"};
inline constexpr LangText kCheckDiskRemountedAt{"CheckDiskMountedAt", "The card is mounted at %s"};
inline constexpr LangText kCheckDiskMountYourself{"CheckDiskNotMounted",
                                                  "The card could not be mounted again; mount it to use it"};
inline constexpr LangText kCheckDiskCaption{"CheckDisk", "Check Disk"};

// The result message of a state: "CheckDisk OK", "CheckDisk Fail", "CheckDisk Cancel".
const LangText& DiskCheckResultText(DiskCheckState state);
// Where a card that was unmounted for the check is now; with an empty
// path, that it could not be mounted again.
std::string WhereTheCardIsText(const std::filesystem::path& mountedAt);
