// The program's and the user's folders, from the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "platform/UserFolders.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

// Sets the variables the lookups read for one test and restores them.
class UserFoldersTest : public ::testing::Test {
 protected:
  static constexpr const char* kVariables[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "KORVANE_DATA_DIR"};

  void SetUp() override {
    for (const char* name : kVariables) {
      if (const char* value = std::getenv(name)) saved_[name] = value;
      ::unsetenv(name);
    }
    home_ = fs::canonical(dir_.path()) / "home";
    fs::create_directories(home_);
    ::setenv("HOME", home_.c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : kVariables) {
      const auto it = saved_.find(name);
      if (it == saved_.end())
        ::unsetenv(name);
      else
        ::setenv(name, it->second.c_str(), 1);
    }
  }

  TempDir dir_;
  fs::path home_;
  std::map<std::string, std::string> saved_;
};

TEST_F(UserFoldersTest, SettingsFolderUnderTheConfigurationBase) {
  EXPECT_EQ(ConfigHomeFolder(), home_ / ".config");
  EXPECT_EQ(SettingsFolderIn(ConfigHomeFolder()), home_ / ".config/Halvorn/Nemora");
  ::setenv("XDG_CONFIG_HOME", (dir_ / "cfg").c_str(), 1);
  EXPECT_EQ(ConfigHomeFolder(), dir_ / "cfg");
  ::setenv("XDG_CONFIG_HOME", "relative/cfg", 1);
  EXPECT_EQ(ConfigHomeFolder(), home_ / ".config") << "a relative base is ignored";
  EXPECT_EQ(SettingsFolderIn(""), "");
}

TEST(UserDirs, DocumentsLineWithHomeExpanded) {
  const std::string text =
      "# This file is written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "  XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\r\n";
  EXPECT_EQ(UserDirsEntry(text, "XDG_DOCUMENTS_DIR", "/home/u"), fs::path("/home/u/My \"Docs\""));
  EXPECT_EQ(UserDirsEntry("XDG_DOCUMENTS_DIR=\"/data/docs/\"", "XDG_DOCUMENTS_DIR", "/h"), fs::path("/data/docs/"));
  EXPECT_EQ(UserDirsEntry("XDG_DOCUMENTS_DIR=\"$HOME\"", "XDG_DOCUMENTS_DIR", "/h"), fs::path("/h"));
  EXPECT_FALSE(UserDirsEntry("XDG_DOCUMENTS_DIR=\"Documents\"", "XDG_DOCUMENTS_DIR", "/h")) << "relative";
  EXPECT_FALSE(UserDirsEntry("XDG_DOCUMENTS_DIR=\"$HOMEDIR/x\"", "XDG_DOCUMENTS_DIR", "/h"));
  EXPECT_FALSE(UserDirsEntry("#XDG_DOCUMENTS_DIR=\"/x\"", "XDG_DOCUMENTS_DIR", "/h"));
  EXPECT_FALSE(UserDirsEntry("XDG_DOCUMENTS_DIR=\"$HOME/x\"", "XDG_DOCUMENTS_DIR", "")) << "no home to expand";
}

TEST_F(UserFoldersTest, DocumentsFallBackStepByStep) {
  EXPECT_EQ(DocumentsFolder(), home_) << "nothing configured";
  const fs::path listed = home_ / "Dokumente";
  dir_.Write("home/.config/user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
  EXPECT_EQ(DocumentsFolder(), home_) << "the listed folder does not exist yet";
  fs::create_directories(listed);
  EXPECT_EQ(DocumentsFolder(), listed);
  const fs::path fromEnvironment = dir_ / "env-docs";
  fs::create_directories(fromEnvironment);
  ::setenv("XDG_DOCUMENTS_DIR", fromEnvironment.c_str(), 1);
  EXPECT_EQ(DocumentsFolder(), fromEnvironment);
}

TEST_F(UserFoldersTest, DataFolderFromTheEnvironmentOrWhereTheDataIs) {
  ::setenv("KORVANE_DATA_DIR", (dir_ / "data").c_str(), 1);
  EXPECT_EQ(ProgramDataFolder(), dir_ / "data");
  ::unsetenv("KORVANE_DATA_DIR");
  EXPECT_FALSE(ProgramDataFolder().empty());
  EXPECT_FALSE(HoldsProgramData(dir_.path()));
  dir_.Write("with-ini/kelbrin.ini", "");
  fs::create_directories(dir_ / "with-lang/lang");
  dir_.Write("with-file-named-lang/lang", "");
  EXPECT_TRUE(HoldsProgramData(dir_ / "with-ini"));
  EXPECT_TRUE(HoldsProgramData(dir_ / "with-lang"));
  EXPECT_FALSE(HoldsProgramData(dir_ / "with-file-named-lang"));
  EXPECT_FALSE(HoldsProgramData(""));
}

}  // namespace
