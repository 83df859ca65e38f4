#pragma once
// The texts of the backup, by language key with the English text for a
// missing language file.

#include <string>
#include <string_view>

#include "base/CommonTexts.h"
#include "base/LangText.h"
#include "recording/CardLayout.h"

inline constexpr LangText kBackupMsgBackupOK{"BackupOK", "Backup OK"};
inline constexpr LangText kBackupMsgBackupCancel{"BackupCancel", "Backup Cancel"};
inline constexpr LangText kBackupMsgBackupFailed{"BackupFailed", "Backup finished, but %d file(s) could not be copied"};
inline constexpr LangText kBackupMsgNoSelectedEvLg{"NoSelectedEvLg", "No selected Event/Log"};
inline constexpr LangText kBackupMsgInvalidCard{kInvalidCardFolderKey, kInvalidCardFolderText};
inline constexpr LangText kBackupMsgFolderInCard{
    "FolderInCard", "The backup folder lies in the card's own folders, Please select folder again."};
inline constexpr LangText kGuiBackupSize{"BackupSize", "Backup Data Size"};
inline constexpr LangText kGuiSelectedEvent{"SelectedEvent", "Selected Event"};
inline constexpr LangText kGuiSelectedNormal{"SelectedNormal", "Selected Normal"};
inline constexpr LangText kGuiSelectedLog{"SelectedLog", "Selected Log"};
inline constexpr LangText kGuiBackupFolder{"BackupFolder", "Backup Folder"};
inline constexpr LangText kGuiBrowse{"Browse", "..."};
inline constexpr LangText kGuiBackupAll{"BackupAll", "Backup All"};
inline constexpr LangText kGuiSelectFolder{"SelectFolder", "Select Folder"};
