#pragma once
// The texts of the card initialisation and the format dialog, looked up in
// the language file by section and key, with the program's own words where
// the file has none.

#include <string>

#include "tools/DiskCheckTexts.h"

inline constexpr LangText kSdInitPickerTitle{"SelectSDInitFolder", "Select SD Card Drive"};
inline constexpr LangText kSdInitQuestion{"InitSDCard", "Format and Init SD Card ?"};
inline constexpr LangText kSdInitOk{"InitSDCardOK", "SD Card Init OK"};

inline constexpr LangText kFormatCaption{"FormatSDCard", "Format SD Card"};
inline constexpr LangText kFormatFileSystemLabel{"FileSystem", "File System : FAT32"};
inline constexpr LangText kFormatQuick{"QuickFormat", "Quick Format"};
inline constexpr LangText kFormatBackupConfig{"BackupConfigFile", "Backup configuration file"};
inline constexpr LangText kFormatOk{"FormatOK", "Format OK"};
inline constexpr LangText kFormatFail{"FormatFail", "Format Fail"};
inline constexpr LangText kFormatCancel{"FormatCancel", "Format Cancel"};
inline constexpr LangText kCardTypeQuestion{"SelectSDType", "Select SD Card Type."};
inline constexpr LangText kCardTypeOther{"OtherSD", "Other Type"};
inline constexpr std::string_view kCardTypeSd = "SD";
inline constexpr std::string_view kCardTypeSdhc = "SDHC";
