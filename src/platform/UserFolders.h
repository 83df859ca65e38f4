#pragma once
// The folders the program keeps for itself and the user's folders it offers:
// the per-user settings folder, the documents folder that exports start in,
// and the program's data folder (skin package, language files, the settings
// file it ships). Each is looked up from the environment when asked for.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// Where the documents folder falls back to when neither the desktop's user
// folders nor a home folder can be found: the root of the file system, the
// counterpart of the system drive. The current folder would be wherever a
// launcher happened to start the program, so "/" is at least predictable.
inline constexpr std::string_view kDocumentsFallback = "/";

// The settings folder's place below the configuration base.
inline constexpr std::string_view kSettingsVendorFolder = "Halvorn";
inline constexpr std::string_view kSettingsProductFolder = "Nemora";

// The settings file, in the settings folder and as the program ships it.
inline constexpr std::string_view kAppSettingsFileName = "kelbrin.ini";

// The user's home folder: $HOME, else the password database's entry; empty
// when neither names one.
std::filesystem::path HomeFolder();

// $XDG_CONFIG_HOME when it is an absolute path, else "<home>/.config"; empty
// when there is no home folder.
std::filesystem::path ConfigHomeFolder();

// "<base>/Halvorn/Nemora"; empty for an empty base.
std::filesystem::path SettingsFolderIn(const std::filesystem::path& base);

// The value of the line "name=..." of a user-dirs.dirs text, with "$HOME"
// replaced by home. Nothing when the line is missing, or when its value is
// neither "$HOME/..." nor an absolute path (the file's own rule).
std::optional<std::filesystem::path> UserDirsEntry(std::string_view content, std::string_view name,
                                                   const std::filesystem::path& home);

// $XDG_DOCUMENTS_DIR, else the XDG_DOCUMENTS_DIR line of
// "<config>/user-dirs.dirs" (each only when it names an existing folder),
// else the home folder, else kDocumentsFallback. Never empty.
std::filesystem::path DocumentsFolder();

// The folder of the running program file; empty when it cannot be read.
std::filesystem::path ExecutableFolder();

// Whether folder holds the program's data (a "lang" folder or the shipped
// settings file).
bool HoldsProgramData(const std::filesystem::path& folder);

// $KORVANE_DATA_DIR, else the program file's folder when it holds the data,
// else "<program folder>/../share/korvane", "/usr/local/share/korvane" or
// "/usr/share/korvane", the first that holds it; else the program file's
// folder (the current folder when even that is unknown).
std::filesystem::path ProgramDataFolder();
