#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "recording/CardFolders.h"
#include "recording/CardListing.h"
#include "recording/CardTestFiles.h"
#include "recording/VideoIndexPath.h"

namespace {

namespace fs = std::filesystem;

TEST(CardFoldersTest, FoldersResolveInAnyCasePreferringTheExactSpelling) {
  TempDir dir;
  MakeCardFolders(dir.path(), "CH1", "Event", "", "LOG");
  dir.Write("Config/SET.INI", "[SET]\r\n");
  EXPECT_EQ(EventFolderPath(dir.path()), dir / "CH1" / "Event");
  EXPECT_EQ(LogFolderPath(dir.path()), dir / "LOG");
  EXPECT_EQ(SettingsFilePath(dir.path()), dir / "Config" / "SET.INI");
  // What is missing is named where it would be made, below what exists.
  EXPECT_EQ(NormalFolderPath(dir.path()), dir / "CH1" / "normal");

  fs::create_directories(dir / "log");
  fs::create_directories(dir / "Log");
  EXPECT_EQ(LogFolderPath(dir.path()), dir / "log");
  fs::remove(dir / "log");
  // Of several other spellings the first in name order.
  EXPECT_EQ(LogFolderPath(dir.path()), dir / "LOG");
  EXPECT_EQ(FindChildNoCase(dir / "nowhere", "log"), fs::path());
}

TEST(CardFoldersTest, ListsRegularFilesOfTheExtensionInNameOrder) {
  TempDir dir;
  dir.Write("f/0002,20240614_093100.VDD", "x");
  dir.Write("f/0001,20240614_093000.vdd", "x");
  dir.Write("f/0001,20240614_093000.vdx", "x");
  dir.Write("f/0003.vdd.bak", "x");
  dir.Write("f/notes.txt", "x");
  fs::create_directories(dir / "f" / "0004.vdd");
  fs::create_symlink(dir / "f" / "notes.txt", dir / "f" / "0005.vdd");

  const std::vector<std::string> files = ListCardFiles(dir / "f", kDataFileExtension);
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0], (dir / "f" / "0001,20240614_093000.vdd").string());
  EXPECT_EQ(files[1], (dir / "f" / "0002,20240614_093100.VDD").string());
  EXPECT_EQ(files[2], (dir / "f" / "0005.vdd").string());
  EXPECT_TRUE(ListCardFiles(dir / "missing", kLogFileExtension).empty());

  // Links are followed: to a folder or to nothing they are no file.
  fs::create_symlink(dir / "f" / "0004.vdd", dir / "f" / "0006.vdd");
  fs::create_symlink(dir / "f" / "gone", dir / "f" / "0007.vdd");
  const std::vector<std::string> names = ListCardFileNames(dir / "f", kDataFileExtension);
  const std::vector<std::string> expected = {"0001,20240614_093000.vdd", "0002,20240614_093100.VDD", "0005.vdd"};
  EXPECT_EQ(names, expected);
  EXPECT_EQ(CountCardFilesIn(dir / "f", kDataFileExtension), 3);
  EXPECT_EQ(CountCardFilesIn(dir / "f", kVideoIndexExtension), 1);
  EXPECT_EQ(CountCardFilesIn(dir / "missing", kDataFileExtension), 0);
  EXPECT_TRUE(HasCardFiles(dir / "f", kDataFileExtension));
  EXPECT_FALSE(HasCardFiles(dir / "f", kLogFileExtension));
  EXPECT_FALSE(HasCardFiles(dir / "missing", kDataFileExtension));
  // One reading for several extensions gives each one's list.
  const CardFolderNames both = ReadCardFileNames(dir / "f", {kDataFileExtension, kVideoIndexExtension});
  EXPECT_FALSE(both.error);
  EXPECT_EQ(both.names[0], expected);
  EXPECT_EQ(both.names[1], ListCardFileNames(dir / "f", kVideoIndexExtension));
  EXPECT_EQ(ReadCardFileNames(dir / "missing", {kDataFileExtension}).error, std::errc::no_such_file_or_directory);
  // A folder named with a trailing separator lists the same paths.
  EXPECT_EQ(ListCardFiles((dir / "f").string() + "/", kDataFileExtension),
            ListCardFiles(dir / "f", kDataFileExtension));
}

// Byte order of the whole name, also where names agree in their first
// eight bytes, end within them or hold bytes above 0x7F.
TEST(CardFoldersTest, NamesComeInTheByteOrderOfTheWholeName) {
  TempDir dir;
  std::vector<std::string> names = {"a.vdd",
                                    "ab.vdd",
                                    "0001,20240614_093000.vdd",
                                    "0001,20240614_093001.vdd",
                                    "0001,202.vdd",
                                    "0001,2024.vdd",
                                    "B.vdd",
                                    "\xC3\xA9t\xC3\xA9.vdd",
                                    "_.vdd"};
  for (int i = 0; i < 30; ++i) names.push_back(std::to_string(97 - 3 * i) + ",20240614_0930.vdd");
  for (const std::string& name : names) dir.Write("f/" + name, "x");
  std::sort(names.begin(), names.end());
  EXPECT_EQ(ListCardFileNames(dir / "f", kDataFileExtension), names);
}

TEST(CardFoldersTest, FoldersThatExistButCannotBeListedAreNamedWithTheReason) {
  TempDir dir;
  MakeCardFolders(dir.path(), "ch1", "event", "", "log");
  EXPECT_TRUE(ListCard(dir.path()).unreadable.empty());  // no normal folder is no fault

  fs::create_symlink(dir / "ch1" / "normal", dir / "ch1" / "normal");
  dir.Write("card2/ch1/event", "a file where the folder should be");
  fs::create_directories(dir / "card2" / "ch1" / "normal");
  fs::create_symlink(dir / "gone", dir / "card2" / "log");

  const std::vector<UnreadableFolder> loop = ListCard(dir.path()).unreadable;
  ASSERT_EQ(loop.size(), 1u);
  EXPECT_EQ(loop[0].path, (dir / "ch1" / "normal").string());
  EXPECT_EQ(loop[0].reason, "Too many levels of symbolic links");

  const std::vector<UnreadableFolder> broken = ListCard(dir / "card2").unreadable;
  ASSERT_EQ(broken.size(), 2u);
  EXPECT_EQ(broken[0].path, (dir / "card2" / "ch1" / "event").string());
  EXPECT_EQ(broken[0].reason, "Not a directory");
  EXPECT_EQ(broken[1].path, (dir / "card2" / "log").string());
  EXPECT_EQ(broken[1].reason, "No such file or directory");
}

}  // namespace
