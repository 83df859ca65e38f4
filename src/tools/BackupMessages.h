#pragma once
// The texts of the backup, by language key with the English text for a
// missing language file.

#include <string>
#include <string_view>

#include "recording/CardLayout.h"

struct BackupText {
  std::string_view key;
  std::string_view defaultText;
};

inline constexpr std::string_view kSectionMessageTexts = "Message";
inline constexpr std::string_view kSectionGuiTexts = "GUI";

inline constexpr BackupText kBackupMsgBackupOK{"BackupOK", "Backup OK"};
inline constexpr BackupText kBackupMsgBackupCancel{"BackupCancel", "Backup Cancel"};
inline constexpr BackupText kBackupMsgBackupFailed{"BackupFailed",
                                                   "Backup finished, but %d file(s) could not be copied"};
inline constexpr BackupText kBackupMsgSameFileOverwrite{"SameFileOverwrite", "Same file exists, Overwrite this file ?"};
inline constexpr BackupText kBackupMsgNoSelectedEvLg{"NoSelectedEvLg", "No selected Event/Log"};
inline constexpr BackupText kBackupMsgFolderNotExist{"FolderNotExist",
                                                     "Folder does not exist, Please select folder again."};
inline constexpr BackupText kBackupMsgFolderNotAuthority{"FolderNotAuthority", "You don't have access to this folder."};
inline constexpr BackupText kBackupMsgInvalidCard{kInvalidCardFolderKey, kInvalidCardFolderText};
inline constexpr BackupText kBackupMsgFolderInCard{
    "FolderInCard", "The backup folder lies in the card's own folders, Please select folder again."};
inline constexpr BackupText kCaptionBackup{"Backup", "Backup"};
inline constexpr BackupText kGuiBackupSize{"BackupSize", "Backup Data Size"};
inline constexpr BackupText kGuiSelectedEvent{"SelectedEvent", "Selected Event"};
inline constexpr BackupText kGuiSelectedNormal{"SelectedNormal", "Selected Normal"};
inline constexpr BackupText kGuiSelectedLog{"SelectedLog", "Selected Log"};
inline constexpr BackupText kGuiBackupFolder{"BackupFolder", "Backup Folder"};
inline constexpr BackupText kGuiBrowse{"Browse", "..."};
inline constexpr BackupText kGuiBackupAll{"BackupAll", "Backup All"};
inline constexpr BackupText kGuiSelectFolder{"SelectFolder", "Select Folder"};
inline constexpr BackupText kGuiStart{"Start", "Start"};
inline constexpr BackupText kGuiCancel{"Cancel", "Cancel"};
inline constexpr BackupText kGuiClose{"Close", "Close"};

std::string MessageText(const BackupText& text, std::string_view section = kSectionMessageTexts);
