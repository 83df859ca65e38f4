// Printing without a printer: the PDF's name starts in a folder that exists
// for a new user, and the result names the file written.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "base/MgrMultiLang.h"
#include "export/PrintToFile.h"
#include "support/TempDir.h"

namespace {

// Sets HOME and the folder variables for the test and restores them.
class SavedEnvironment {
 public:
  SavedEnvironment() {
    for (const char* name : kNames) {
      const char* value = std::getenv(name);
      saved_.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
    }
  }
  ~SavedEnvironment() {
    for (size_t i = 0; i < std::size(kNames); ++i) {
      if (saved_[i])
        ::setenv(kNames[i], saved_[i]->c_str(), 1);
      else
        ::unsetenv(kNames[i]);
    }
  }

 private:
  static constexpr const char* kNames[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"};
  std::vector<std::optional<std::string>> saved_;
};

TEST(PrintToFile, TheFileStartsInAFolderThatExistsAndTheResultNamesIt) {
  SetLangFilePath("");
  const SavedEnvironment saved;
  TempDir home;
  ::setenv("HOME", home.path().c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
  ::unsetenv("XDG_DOCUMENTS_DIR");
  // A new user: no Documents folder, no user-dirs file.
  EXPECT_EQ(DefaultPrintPdfPath(), home / "Nemora.pdf");
  home.Write("config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\n");
  EXPECT_EQ(DefaultPrintPdfPath(), home / "Nemora.pdf") << "a folder named but not made";
  std::filesystem::create_directory(home / "Documents");
  EXPECT_EQ(DefaultPrintPdfPath(), home / "Documents" / "Nemora.pdf");

  EXPECT_EQ(PrintResultText(true, ""), "Print OK");
  EXPECT_EQ(PrintResultText(true, "/home/u/Nemora.pdf"), "Print OK : /home/u/Nemora.pdf");
  EXPECT_EQ(PrintResultText(false, "/home/u/Nemora.pdf"), "Print Error : /home/u/Nemora.pdf");
  EXPECT_EQ(PrintResultText(false, ""), "Print Error");
}

}  // namespace
