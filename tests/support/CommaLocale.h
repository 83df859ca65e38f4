#pragma once
// A locale that writes numbers with a decimal comma (German), built once per
// test run into a folder of its own, so that tests can check that a text
// meant for a machine does not follow the user's locale. Switched on for a
// scope; the C locale comes back after it.

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <locale>
#include <string>

#include "support/TempDir.h"

class CommaLocale {
 public:
  CommaLocale() {
    if (!Available()) return;
    // LOCPATH replaces the system's locale folder, so it is set only while
    // this one locale is looked up.
    setenv("LOCPATH", Folder().path().c_str(), 1);
    active_ = std::setlocale(LC_ALL, kName) != nullptr;
    unsetenv("LOCPATH");
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, "C");
    std::locale::global(std::locale::classic());
  }
  CommaLocale(const CommaLocale&) = delete;
  CommaLocale& operator=(const CommaLocale&) = delete;

  // Whether printf now writes one and a half as "1,500000".
  bool Active() const {
    if (!active_) return false;
    char text[32];
    std::snprintf(text, sizeof text, "%f", 1.5);
    return std::string(text) == "1,500000";
  }

 private:
  static constexpr const char* kName = "de_DE.UTF-8";

  static const TempDir& Folder() {
    static const TempDir folder;
    return folder;
  }

  // Compiles the locale with localedef, once.
  static bool Available() {
    static const bool built = [] {
      const std::string target = (Folder().path() / kName).string();
      const std::string command = "localedef -i de_DE -f UTF-8 '" + target + "' >/dev/null 2>&1";
      return std::system(command.c_str()) == 0 || std::filesystem::exists(target);
    }();
    return built;
  }

  bool active_ = false;
};
