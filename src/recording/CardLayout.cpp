#include "recording/CardLayout.h"

#include <sys/stat.h>

#include <array>
#include <system_error>

#include "base/MgrMultiLang.h"
#include "platform/Utf8.h"
#include "recording/CardFolders.h"

namespace fs = std::filesystem;

namespace {

// The card's own folders: what lies in them is the recorder's.
constexpr std::array<std::string_view, 3> kRecorderFolders = {kChannelFolderName, kLogFolderName, kConfigFolderName};

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

bool IsRecorderFolderName(const fs::path& name) {
  for (std::string_view folder : kRecorderFolders) {
    if (EqualsNoCase(name.native(), folder)) return true;
  }
  return false;
}

}  // namespace

bool HasCardLayout(const fs::path& root) {
  if (root.empty()) return false;
  return IsFolder(EventFolderPath(root)) && IsFolder(LogFolderPath(root));
}

std::string InvalidCardFolderMessage() { return GetLangText("Message", kInvalidCardFolderKey, kInvalidCardFolderText); }

bool LiesInCardFolders(const fs::path& card, const fs::path& path) {
  struct stat cardInfo {};
  if (card.empty() || ::stat(card.c_str(), &cardInfo) != 0) return false;
  std::error_code error;
  // Resolved first: the folders above a real path are its true parents,
  // whatever links or ".." the given one holds.
  fs::path at = fs::canonical(path, error);
  if (error) return false;
  fs::path below;  // the step taken down from at towards path
  while (true) {
    struct stat info {};
    if (::stat(at.c_str(), &info) == 0 && SameFile(info, cardInfo)) {
      return below.empty() || IsRecorderFolderName(below);
    }
    if (at == at.parent_path()) return false;
    below = at.filename();
    at = at.parent_path();
  }
}
