#pragma once
// The texts of the card initialisation and the format dialog, looked up in
// the language file by section and key, with the program's own words where
// the file has none.

#include <string>

#include "tools/DiskCheckTexts.h"

using SdInitText = DiskCheckText;

inline constexpr SdInitText kSdInitPickerTitle{"GUI", "SelectSDInitFolder", "Select SD Card Drive"};
inline constexpr SdInitText kSdInitCaption{"GUI", "Setting", "Setting"};
inline constexpr SdInitText kSdInitNotSdDrive{"Message", "NotSDDrive", "Not SD Card Drive"};
inline constexpr SdInitText kSdInitUnsupportedSize{"Message", "NotSuportSD", "SD Card of not supported size."};
inline constexpr SdInitText kSdInitQuestion{"Message", "InitSDCard", "Format and Init SD Card ?"};
inline constexpr SdInitText kSdInitOk{"Message", "InitSDCardOK", "SD Card Init OK"};

inline constexpr SdInitText kFormatCaption{"GUI", "FormatSDCard", "Format SD Card"};
inline constexpr SdInitText kFormatFileSystemLabel{"GUI", "FileSystem", "File System : FAT32"};
inline constexpr SdInitText kFormatDrive{"GUI", "DiskDrive", "Drive"};
inline constexpr SdInitText kFormatQuick{"GUI", "QuickFormat", "Quick Format"};
inline constexpr SdInitText kFormatBackupConfig{"GUI", "BackupConfigFile", "Backup configuration file"};
inline constexpr SdInitText kFormatStart{"GUI", "Start", "Start"};
inline constexpr SdInitText kFormatCancelButton{"GUI", "Cancel", "Cancel"};
inline constexpr SdInitText kFormatClose{"GUI", "Close", "Close"};
inline constexpr SdInitText kFormatOk{"Message", "FormatOK", "Format OK"};
inline constexpr SdInitText kFormatFail{"Message", "FormatFail", "Format Fail"};
inline constexpr SdInitText kFormatCancel{"Message", "FormatCancel", "Format Cancel"};
inline constexpr SdInitText kCardTypeQuestion{"GUI", "SelectSDType", "Select SD Card Type."};
inline constexpr SdInitText kCardTypeOther{"GUI", "OtherSD", "Other Type"};
inline constexpr std::string_view kCardTypeSd = "SD";
inline constexpr std::string_view kCardTypeSdhc = "SDHC";
