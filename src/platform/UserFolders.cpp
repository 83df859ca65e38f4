#include "platform/UserFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/RegularFile.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHomeVariable = "$HOME";
constexpr std::string_view kDocumentsKey = "XDG_DOCUMENTS_DIR";
constexpr std::string_view kUserDirsFile = "user-dirs.dirs";
constexpr std::string_view kLangFolder = "lang";
constexpr std::string_view kDataSubfolder = "share/korvane";
constexpr const char* kSystemDataFolders[] = {"/usr/local/share/korvane", "/usr/share/korvane"};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// A value as the shell would read it: one pair of double quotes removed and
// backslash escapes resolved. "$HOME" is left for the caller, which is why an
// escaped "\$" cannot be told apart here: the writer of the file never
// escapes the variable it means.
std::string Unquote(std::string_view value) {
  if (value.size() < 2 || value.front() != '"' || value.back() != '"') return std::string(value);
  value = value.substr(1, value.size() - 2);
  std::string out;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    out += value[i];
  }
  return out;
}

// A handful of lines; anything bigger (or a FIFO, or a device) is not this file.
std::optional<std::string> ReadSmallFile(const fs::path& file) {
  constexpr uint64_t kMaxBytes = 64 * 1024;
  return ReadRegularFile(file, kMaxBytes).content;
}

}  // namespace

fs::path HomeFolder() {
  const std::string home = Environment("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir) return {};
  return fs::path(found->pw_dir);
}

fs::path ConfigHomeFolder() {
  const fs::path configured = Environment("XDG_CONFIG_HOME");
  if (configured.is_absolute()) return configured;
  const fs::path home = HomeFolder();
  if (home.empty()) return {};
  return home / ".config";
}

fs::path SettingsFolderIn(const fs::path& base) {
  if (base.empty()) return {};
  return base / kSettingsVendorFolder / kSettingsProductFolder;
}

std::optional<fs::path> UserDirsEntry(std::string_view content, std::string_view name, const fs::path& home) {
  std::istringstream lines{std::string(content)};
  std::string line;
  while (std::getline(lines, line)) {
    const std::string_view body = Trim(line);
    if (body.empty() || body.front() == '#') continue;
    const size_t equals = body.find('=');
    if (equals == std::string_view::npos || Trim(body.substr(0, equals)) != name) continue;
    const std::string value = Unquote(Trim(body.substr(equals + 1)));
    if (value.starts_with(kHomeVariable)) {
      const std::string_view rest = std::string_view(value).substr(kHomeVariable.size());
      if (!rest.empty() && rest.front() != '/') return std::nullopt;  // "$HOMEX" is another variable
      if (home.empty()) return std::nullopt;
      return fs::path(home.string() + std::string(rest)).lexically_normal();
    }
    if (value.starts_with('/')) return fs::path(value).lexically_normal();
    return std::nullopt;
  }
  return std::nullopt;
}

fs::path DocumentsFolder() {
  const fs::path fromEnvironment = Environment(std::string(kDocumentsKey).c_str());
  if (fromEnvironment.is_absolute() && IsFolder(fromEnvironment)) return fromEnvironment;
  const fs::path home = HomeFolder();
  const fs::path config = ConfigHomeFolder();
  if (!config.empty()) {
    if (const auto content = ReadSmallFile(config / kUserDirsFile)) {
      const auto entry = UserDirsEntry(*content, kDocumentsKey, home);
      if (entry && IsFolder(*entry)) return *entry;
    }
  }
  if (!home.empty()) return home;
  return fs::path(kDocumentsFallback);
}

fs::path ExecutableFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return program.parent_path();
}

bool HoldsProgramData(const fs::path& folder) {
  if (folder.empty()) return false;
  std::error_code error;
  return fs::is_directory(folder / kLangFolder, error) || fs::is_regular_file(folder / kAppSettingsFileName, error);
}

fs::path ProgramDataFolder() {
  const fs::path configured = Environment("KORVANE_DATA_DIR");
  if (!configured.empty()) return configured;
  const fs::path programFolder = ExecutableFolder();
  if (HoldsProgramData(programFolder)) return programFolder;
  // An installed tree keeps the data beside bin/, whatever the prefix.
  if (!programFolder.empty()) {
    const fs::path besideBin = (programFolder.parent_path() / kDataSubfolder).lexically_normal();
    if (HoldsProgramData(besideBin)) return besideBin;
  }
  for (const char* folder : kSystemDataFolders) {
    if (HoldsProgramData(folder)) return folder;
  }
  if (!programFolder.empty()) return programFolder;
  std::error_code error;
  return fs::current_path(error);
}
