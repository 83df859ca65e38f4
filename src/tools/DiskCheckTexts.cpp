#include "tools/DiskCheckTexts.h"

#include "base/MgrMultiLang.h"

std::string DiskCheckTextOf(const DiskCheckText& text) { return GetLangText(text.section, text.key, text.defaultText); }

const DiskCheckText& DiskCheckResultText(DiskCheckState state) {
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
  if (mountedAt.empty()) return DiskCheckTextOf(kCheckDiskMountYourself);
  std::string text = DiskCheckTextOf(kCheckDiskRemountedAt);
  if (const size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, mountedAt.string());
  return text;
}
