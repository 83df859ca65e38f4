#pragma once
// Texts several dialogs and jobs show, each key defined once.

#include "base/LangText.h"

// Message box texts.
inline constexpr LangText kMsgSameFileOverwrite{"SameFileOverwrite", "Same file exists, Overwrite this file ?"};
inline constexpr LangText kMsgFolderNotExist{"FolderNotExist", "Folder does not exist, Please select folder again."};
inline constexpr LangText kMsgFolderNotAuthority{"FolderNotAuthority", "You don't have access to this folder."};
inline constexpr LangText kMsgNotSdDrive{"NotSDDrive", "Not SD Card Drive"};
inline constexpr LangText kMsgNotSupportedSd{"NotSuportSD", "SD Card of not supported size."};
inline constexpr LangText kMsgNoEventLoaded{"NoEventLoaded", "No Event is loaded"};

// Dialog words.
inline constexpr LangText kGuiStart{"Start", "Start"};
inline constexpr LangText kGuiCancel{"Cancel", "Cancel"};
inline constexpr LangText kGuiClose{"Close", "Close"};
inline constexpr LangText kGuiDiskDrive{"DiskDrive", "Drive"};
inline constexpr LangText kGuiBackup{"Backup", "Backup"};
inline constexpr LangText kGuiSetting{"Setting", "Setting"};
