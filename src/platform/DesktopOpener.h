#pragma once
// Hands a file or a web address to whatever program the desktop has for
// it (the shell's "open"). The window answers through Qt; the tests record
// what was asked and say whether a program took it.
#include <filesystem>
#include <string>

class DesktopOpener {
 public:
  virtual ~DesktopOpener() = default;
  // False when no program took the file.
  virtual bool OpenFile(const std::filesystem::path& file) = 0;
  // False when no program took the address.
  virtual bool OpenUrl(const std::string& url) = 0;
};
