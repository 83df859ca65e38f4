#include "tools/DiskCheckTexts.h"

#include "base/MgrMultiLang.h"

const LangText& DiskCheckResultText(DiskCheckState state) {
  switch (state) {
    case DiskCheckState::kOk:
      return kCheckDiskOk;
    case DiskCheckState::kCancel:
      return kCheckDiskCancel;
    case DiskCheckState::kFail:
      break;
  }
  return kCheckDiskFail;
}

std::string WhereTheCardIsText(const std::filesystem::path& mountedAt) {
  if (mountedAt.empty()) return MessageText(kCheckDiskMountYourself);
  std::string text = MessageText(kCheckDiskRemountedAt);
  if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, mountedAt.string());
  return text;
}
