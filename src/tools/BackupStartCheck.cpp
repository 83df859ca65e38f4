#include "tools/BackupStartCheck.h"

#include "platform/FolderChecks.h"
#include "recording/CardLayout.h"
#include "tools/BackupJob.h"

std::optional<LangText> BackupStartRefusal(const std::filesystem::path& card, bool wholeCard,
                                           const BackupSelection& selection, const std::string& targetFolder) {
  if (!HasCardLayout(card)) return kBackupMsgInvalidCard;
  if (!wholeCard && selection.Empty()) return kBackupMsgNoSelectedEvLg;
  if (!IsFolderAvailable(targetFolder)) return kMsgFolderNotExist;
  // Before the write test, which would leave its trace in the card's folders.
  if (LiesInCardFolders(card, targetFolder)) return kBackupMsgFolderInCard;
  if (!IsWritableFolder(targetFolder)) return kMsgFolderNotAuthority;
  return std::nullopt;
}
