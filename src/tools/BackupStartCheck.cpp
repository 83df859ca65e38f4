#include "tools/BackupStartCheck.h"

#include "platform/FolderChecks.h"
#include "tools/BackupJob.h"

std::optional<BackupText> BackupStartRefusal(bool wholeCard, const BackupSelection& selection,
                                             const std::string& targetFolder) {
  if (!wholeCard && selection.Empty()) return kBackupMsgNoSelectedEvLg;
  if (!IsFolderAvailable(targetFolder)) return kBackupMsgFolderNotExist;
  if (!IsWritableFolder(targetFolder)) return kBackupMsgFolderNotAuthority;
  return std::nullopt;
}
