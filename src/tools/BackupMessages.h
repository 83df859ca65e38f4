#pragma once
// The texts of the backup, by language key with the English text for a
// missing language file.

#include <string>
#include <string_view>

struct BackupText {
  std::string_view key;
  std::string_view defaultText;
};

inline constexpr std::string_view kSectionMessageTexts = "Message";
inline constexpr std::string_view kSectionGuiTexts = "GUI";

inline constexpr BackupText kMsgBackupOK{"BackupOK", "Backup OK"};
inline constexpr BackupText kMsgBackupCancel{"BackupCancel", "Backup Cancel"};
inline constexpr BackupText kMsgBackupFailed{"BackupFailed", "Backup finished, but %d file(s) could not be copied"};
inline constexpr BackupText kMsgSameFileOverwrite{"SameFileOverwrite", "Same file exists, Overwrite this file ?"};
inline constexpr BackupText kMsgNoSelectedEvLg{"NoSelectedEvLg", "No selected Event/Log"};
inline constexpr BackupText kMsgFolderNotExist{"FolderNotExist", "Folder does not exist, Please select folder again."};
inline constexpr BackupText kMsgFolderNotAuthority{"FolderNotAuthority", "You don't have access to this folder."};
inline constexpr BackupText kCaptionBackup{"Backup", "Backup"};
inline constexpr BackupText kGuiBackupSize{"BackupSize", "Backup Data Size"};

std::string MessageText(const BackupText& text, std::string_view section = kSectionMessageTexts);
