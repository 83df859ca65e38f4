#pragma once
// Language texts. The language file is chosen once at start-up; every text
// the user sees is looked up by section and key at the moment it is needed,
// with the program's English default when the file or the key is missing.

#include <filesystem>
#include <string>
#include <string_view>

// Chooses the language file among the start folder's "kelbrinlang_*.ini"
// files: the first whose lower-cased full path holds "_en" after its first
// character, else the last one enumerated; empty when none matches.
// The choice is stored in chosenPath. Returns 1.
int FindLangFile(const std::filesystem::path& startFolder, std::string& chosenPath);

// The language file that GetLangText reads (empty: only the defaults).
void SetLangFilePath(const std::string& path);
std::string LangFilePath();

// The text of key in section of the chosen language file, else the default
// (at most 499 characters); every backslash-n pair becomes a line break.
std::string GetLangText(std::string_view section, std::string_view key, std::string_view defaultText);
