#include "export/TargetFolderCheck.h"

#include "platform/FolderChecks.h"

namespace {

constexpr const char* kWhiteSpace = " \t\r\n\v\f";

}  // namespace

std::optional<LangText> CheckTargetFolder(const std::string& folder) {
  if (!IsFolderAvailable(folder)) return kMsgFolderNotExist;
  if (!IsWritableFolder(folder)) return kMsgFolderNotAuthority;
  return std::nullopt;
}

std::string TrimFileName(const std::string& name) {
  const size_t first = name.find_first_not_of(kWhiteSpace);
  if (first == std::string::npos) return {};
  const size_t last = name.find_last_not_of(kWhiteSpace);
  return name.substr(first, last - first + 1);
}
