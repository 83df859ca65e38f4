#pragma once
// Where things lie on a card or backup folder. The recorder and the tools
// that copy its cards spell the same folders differently ("ch1" / "CH1",
// "log" / "Log"), and a card mounted on Linux keeps whatever spelling was
// written, so every name below the root is matched without regard to case.

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

inline constexpr std::string_view kChannelFolderName = "ch1";
inline constexpr std::string_view kEventFolderName = "event";
inline constexpr std::string_view kNormalFolderName = "normal";
inline constexpr std::string_view kLogFolderName = "log";
inline constexpr std::string_view kConfigFolderName = "config";
inline constexpr std::string_view kSettingsFileName = "set.ini";
inline constexpr std::string_view kDataFileExtension = ".vdd";
inline constexpr std::string_view kLogFileExtension = ".log";

// The child of folder named name in any letter case: the exact spelling
// when it exists, else the first case-insensitive match in name order;
// empty when there is none.
std::filesystem::path FindChildNoCase(const std::filesystem::path& folder, std::string_view name);

// root joined with the names, each resolved by FindChildNoCase while the
// path exists; from the first missing name on, the names as given. The
// result therefore names the existing file when there is one, and otherwise
// the place where it would be made.
std::filesystem::path ResolveCardPath(const std::filesystem::path& root, std::initializer_list<std::string_view> names);

std::filesystem::path EventFolderPath(const std::filesystem::path& root);
std::filesystem::path NormalFolderPath(const std::filesystem::path& root);
std::filesystem::path LogFolderPath(const std::filesystem::path& root);
std::filesystem::path SettingsFilePath(const std::filesystem::path& root);

// The regular files of folder (links to regular files count) whose names
// end in extension without regard to case, as full paths sorted by name.
// Empty when the folder is missing or unreadable.
std::vector<std::string> ListCardFiles(const std::filesystem::path& folder, std::string_view extension);

// The same files by name alone (no folder), sorted.
std::vector<std::string> ListCardFileNames(const std::filesystem::path& folder, std::string_view extension);

// ListCardFileNames for several extensions from one reading of the folder.
struct CardFolderNames {
  std::vector<std::vector<std::string>> names;  // one list per extension, in their order
  std::error_code error;                        // why the folder could not be read; none when it was
};
CardFolderNames ReadCardFileNames(const std::filesystem::path& folder,
                                  std::initializer_list<std::string_view> extensions);

// Names of folder's files as the full paths ListCardFiles gives.
std::vector<std::string> JoinToFolder(const std::filesystem::path& folder, const std::vector<std::string>& names);

// How many files ListCardFiles would list, without listing them.
int CountCardFilesIn(const std::filesystem::path& folder, std::string_view extension);
// Whether it would list any, reading the folder only up to the first.
bool HasCardFiles(const std::filesystem::path& folder, std::string_view extension);

// A recording folder that is there by name but cannot be listed (no
// permission, a link to nowhere or in a loop, a file in its place).
struct UnreadableFolder {
  std::string path;
  std::string reason;  // the system's words for the failure
};
