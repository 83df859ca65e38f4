#pragma once
// What Start checks before a backup begins, in this order: something to
// copy, a target folder that is there, and one that can be written.

#include <optional>
#include <string>

#include "tools/BackupMessages.h"

struct BackupSelection;

// The message that refuses the Start; nothing when the backup may begin.
std::optional<BackupText> BackupStartRefusal(bool wholeCard, const BackupSelection& selection,
                                             const std::string& targetFolder);
