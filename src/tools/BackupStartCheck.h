#pragma once
// What Start checks before a backup begins, in this order: a card to copy
// from, something to copy, a target folder that is there, one that is not
// the card itself nor inside the folders the recorder owns (a backup there
// would copy the card onto itself), and one that can be written.

#include <filesystem>
#include <optional>
#include <string>

#include "tools/BackupMessages.h"

struct BackupSelection;

// The message that refuses the Start; nothing when the backup may begin.
std::optional<LangText> BackupStartRefusal(const std::filesystem::path& card, bool wholeCard,
                                           const BackupSelection& selection, const std::string& targetFolder);
