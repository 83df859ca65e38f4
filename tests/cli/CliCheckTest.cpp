// korvane-cli check on FAT image files made here: nothing happens without
// --yes, a damaged image is repaired, and what is no card or image is
// refused with one line and nothing changed.

#include <gtest/gtest.h>

#include <algorithm>

#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

// A FAT32 image whose two FAT copies differ: mkfs.fat, then the entry of
// cluster 100 in the first FAT (the reserved sectors end at 16384 bytes
// for this size) marked as the end of a chain.
fs::path DamagedImage(const TempDir& dir) {
  const fs::path image = dir / "card.img";
  const std::string quoted = ShellQuote(image.string());
  RunShell("truncate -s 64M " + quoted + " && mkfs.fat -F 32 " + quoted +
           " >/dev/null && printf '\\377\\377\\377\\017' | "
           "dd of=" +
           quoted + " bs=1 seek=16784 conv=notrunc status=none");
  return image;
}

int ReadOnlyCheck(const fs::path& image) {
  return RunShell("fsck.fat -n " + ShellQuote(image.string()) + " >/dev/null 2>&1").exitStatus;
}

TEST(CliCheck, AnImageIsOnlyDescribedWithoutYesAndRepairedWithIt) {
  TempDir dir;
  const fs::path image = DamagedImage(dir);
  ASSERT_EQ(ReadOnlyCheck(image), 1);

  const CliRun dry = RunCliErrors({"check", image.string()});
  EXPECT_EQ(dry.exitStatus, 2);
  EXPECT_NE(dry.out.find("would check " + image.string() + " (image file)"), std::string::npos) << dry.out;
  EXPECT_EQ(ReadOnlyCheck(image), 1) << "nothing repaired without --yes";

  const CliRun run = RunCli({"check", image.string(), "--yes"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.out, "CheckDisk OK\n");
  EXPECT_EQ(ReadOnlyCheck(image), 0);
}

TEST(CliCheck, WhatIsNoCardNorImageIsRefusedInOneLine) {
  TempDir dir;
  const fs::path folder = dir / "folder";
  fs::create_directories(folder);
  for (const std::string& given : {std::string("/dev/null"), (dir / "missing").string()}) {
    const CliRun refused = RunCliErrors({"check", given, "--yes"});
    EXPECT_EQ(refused.exitStatus, 1) << given;
    EXPECT_EQ(std::count(refused.out.begin(), refused.out.end(), '\n'), 1) << refused.out;
    EXPECT_NE(refused.out.find(given), std::string::npos) << refused.out;
  }
  // A folder on the disk the tests run from is no card: its disk is not
  // removable, or it holds the system, or it is no block device at all.
  const CliRun folderRun = RunCliErrors({"check", folder.string(), "--yes"});
  EXPECT_EQ(folderRun.exitStatus, 1) << folderRun.out;
}

TEST(CliCheck, AFileThatIsNoFatImageFailsAndStaysAsItWas) {
  TempDir dir;
  const fs::path file = dir.Write("notes.txt", "just text");
  const CliRun run = RunCli({"check", file.string(), "--yes"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.out, "CheckDisk Fail\n");
  EXPECT_EQ(TempDir::Read(file), "just text");
}

}  // namespace
