#pragma once
// The folder checks every export makes before it writes, in their order:
// the folder must exist, then it must accept a new file.

#include <optional>
#include <string>

#include "export/ExportMessages.h"

// The message of the first failing check; nothing when the folder will do.
std::optional<LangText> CheckTargetFolder(const std::string& folder);

// Leading and trailing white space removed, as the dialogs take a file name.
std::string TrimFileName(const std::string& name);
