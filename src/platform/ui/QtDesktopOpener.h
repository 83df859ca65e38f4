#pragma once
// The desktop's programs for files and web addresses, through
// QDesktopServices.
#include "platform/DesktopOpener.h"

class QtDesktopOpener final : public DesktopOpener {
 public:
  bool OpenFile(const std::filesystem::path& file) override;
  bool OpenUrl(const std::string& url) override;
};
