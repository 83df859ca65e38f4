#pragma once
// What counts as a drive recorder's card (or a backup of one): the event
// folder and the log folder, named in any letter case. Every command that
// deletes from a card, backs one up, initialises it or changes its settings
// proves this first, so that a mistyped folder (a home folder, /var with its
// log folder) is refused before anything is read from it or written to it.

#include <filesystem>
#include <string>
#include <string_view>

inline constexpr std::string_view kInvalidCardFolderKey = "InvalidSDFolder";
inline constexpr std::string_view kInvalidCardFolderText = "Invalid drive recorder folder.";

// Whether root holds ch1/event and log as folders.
bool HasCardLayout(const std::filesystem::path& root);

// The refusal of a folder without the layout, in the user's language.
std::string InvalidCardFolderMessage();

// Whether path (which must exist) is the card itself or lies inside one of
// the folders the recorder owns: ch1 with its recordings, log, config.
// Links are resolved and the folders are matched in any letter case, so
// no other spelling of the same place escapes the rule.
bool LiesInCardFolders(const std::filesystem::path& card, const std::filesystem::path& path);
