// korvane-cli format and init-card on image files: nothing happens without
// --yes, a format gives FAT32 labelled for the recorder, an init lays out
// the card through a made-up mount table that names the image as the
// card's device, and refusals are one line with nothing changed.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "platform/ProfileFile.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "tools/FatImage.h"

namespace {

namespace fs = std::filesystem;

struct Printed {
  int exitStatus = -1;
  std::string out;
  std::string errors;
};

Printed RunWith(const std::string& environment, const std::vector<std::string>& args, const TempDir& dir) {
  std::string line = environment + " " + ShellQuote(KORVANE_CLI_PATH);
  for (const auto& arg : args) line += " " + ShellQuote(arg);
  const fs::path errors = dir / "stderr.txt";
  const CliRun run = RunShell(line + " 2>" + ShellQuote(errors.string()));
  std::ifstream in(errors);
  return {run.exitStatus, run.out, std::string(std::istreambuf_iterator<char>(in), {})};
}

long Lines(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

TEST(CliFormat, AnImageIsOnlyDescribedWithoutYesAndFormattedWithIt) {
  TempDir dir;
  const fs::path image = SparseImage(dir / "card.img", "64M");
  const CliRun dry = RunCliErrors({"format", image.string()});
  EXPECT_EQ(dry.exitStatus, 2);
  EXPECT_NE(dry.out.find("would erase " + image.string() + " (image file), 64 MiB, no label"), std::string::npos)
      << dry.out;
  EXPECT_NE(dry.out.find("16 KiB clusters"), std::string::npos) << dry.out;
  EXPECT_EQ(ReadFatImage(image).label, "") << "nothing formatted without --yes";

  const CliRun quick = RunCli({"format", image.string(), "--quick", "--yes"});
  EXPECT_EQ(quick.exitStatus, 0);
  EXPECT_EQ(quick.out, "Format OK\n");
  const FatImageFacts facts = ReadFatImage(image);
  EXPECT_EQ(facts.label, "ZIDOVORI1");
  EXPECT_EQ(facts.fatBits, 32);
  EXPECT_TRUE(facts.clean);

  const CliRun again = RunCliErrors({"format", image.string()});
  EXPECT_NE(again.out.find("label \"ZIDOVORI1\""), std::string::npos) << "the current label is named: " << again.out;

  const CliRun full = RunCli({"format", image.string(), "--full", "--yes"});
  EXPECT_EQ(full.exitStatus, 0);
  EXPECT_TRUE(ReadFatImage(image).clean);
}

TEST(CliFormat, WhatIsNoCardNorImageIsRefusedInOneLine) {
  TempDir dir;
  fs::create_directories(dir / "folder");
  for (const std::string& given :
       {std::string("/dev/null"), (dir / "missing").string(), (dir / "folder").string(), std::string("/dev/sda")}) {
    const CliRun refused = RunCliErrors({"format", given, "--yes"});
    EXPECT_EQ(refused.exitStatus, 1) << given;
    EXPECT_EQ(refused.out, "korvane-cli: Not SD Card Drive\n") << given;
  }
  const fs::path empty = dir.Write("empty.img", "");
  const CliRun unknown = RunCliErrors({"format", empty.string(), "--yes"});
  EXPECT_EQ(unknown.exitStatus, 1);
  EXPECT_EQ(Lines(unknown.out), 1);
  EXPECT_NE(unknown.out.find("Select SD Card Type."), std::string::npos) << unknown.out;
}

// A card folder "mounted" from an image file, and the documents and data
// folders of a user of its own.
class CliInitCard : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::canonical(dir_.path());
    card_ = root_ / "CARD";
    fs::create_directories(card_);
    fs::create_directories(root_ / "Documents");
    image_ = SparseImage(root_ / "card.img", "2G");
    dir_.Write("data/setup.exe", "stand-in");
    dir_.Write("data/kelbrin.ini", "");
    dir_.Write("mountinfo", "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n40 22 7:0 / " + card_.string() + " rw - vfat " +
                                image_.string() + " rw\n");
  }

  Printed Init(std::vector<std::string> args) {
    args.insert(args.begin(), {"init-card", card_.string()});
    const std::string environment = "env KORVANE_MOUNT_TABLE=" + ShellQuote((root_ / "mountinfo").string()) +
                                    " XDG_DOCUMENTS_DIR=" + ShellQuote((root_ / "Documents").string()) +
                                    " KORVANE_DATA_DIR=" + ShellQuote((root_ / "data").string());
    return RunWith(environment, args, dir_);
  }

  TempDir dir_;
  fs::path root_, card_, image_;
};

TEST_F(CliInitCard, AnMxECardIsFormattedLaidOutAndItsSettingsKept) {
  dir_.Write("CARD/config/set.ini", "[SET]\nOLDKEY=7\n[SDINFO]\nVERSIONID=1\n");
  const Printed dry = Init({"--model", "4"});
  EXPECT_EQ(dry.exitStatus, 2);
  EXPECT_NE(dry.errors.find("for MX-E, keeping its settings"), std::string::npos) << dry.errors;
  EXPECT_FALSE(fs::exists(card_ / "CH1"));

  const Printed run = Init({"--model", "4", "--yes"});
  EXPECT_EQ(run.exitStatus, 0) << run.errors;
  EXPECT_EQ(run.out, "Format OK\nSD Card Init OK\n");
  EXPECT_TRUE(fs::is_directory(card_ / "CH1/normal"));
  const fs::path setIni = card_ / "config/set.ini";
  EXPECT_EQ(ReadProfileInt(setIni, "SET", "OLDKEY", -1), 7);
  EXPECT_EQ(ReadProfileInt(setIni, "SDINFO", "MODELID", -1), 4);
  EXPECT_TRUE(fs::exists(card_ / "zaza/setup.exe"));
  EXPECT_EQ(ReadFatImage(image_).clusterBytes, 16384);
  EXPECT_TRUE(fs::is_empty(root_ / "Documents")) << "the kept copies are gone";
}

TEST_F(CliInitCard, AnMxACardGetsNoNormalFolderAndNoRestoreWhenAskedNot) {
  dir_.Write("CARD/config/set.ini", "[SET]\nOLDKEY=7\n");
  const Printed run = Init({"--model", "0", "--no-restore", "--yes"});
  EXPECT_EQ(run.exitStatus, 0) << run.errors;
  EXPECT_TRUE(fs::is_directory(card_ / "CH1/event"));
  EXPECT_FALSE(fs::exists(card_ / "CH1/normal"));
  EXPECT_EQ(ReadProfileInt(card_ / "config/set.ini", "SDINFO", "MODELID", -1), -1);
  EXPECT_EQ(ReadProfileInt(card_ / "config/set.ini", "SET", "POSTFIELD1", -1), 4);
}

TEST_F(CliInitCard, TooSmallCardsOtherFoldersAndRealDisksAreRefusedInOneLine) {
  fs::resize_file(image_, uint64_t{1499} << 20);
  const Printed small = Init({"--model", "4", "--yes"});
  EXPECT_EQ(small.exitStatus, 1);
  EXPECT_EQ(small.errors, "korvane-cli: SD Card of not supported size.\n");
  EXPECT_EQ(ReadFatImage(image_).label, "");

  fs::resize_file(image_, uint64_t{1500} << 20);
  EXPECT_EQ(Init({"--model", "4"}).exitStatus, 2) << "1500 MiB is big enough";

  fs::create_directories(card_ / "CH1");
  const std::string environment = "env KORVANE_MOUNT_TABLE=" + ShellQuote((root_ / "mountinfo").string());
  const Printed inside = RunWith(environment, {"init-card", (card_ / "CH1").string(), "--model", "4", "--yes"}, dir_);
  EXPECT_EQ(inside.exitStatus, 1);
  EXPECT_EQ(inside.errors, "korvane-cli: Not SD Card Drive\n");

  // With a made-up table, a real device is never a card, even if the table says so.
  dir_.Write("mountinfo",
             "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n40 22 8:17 / " + card_.string() + " rw - vfat /dev/sdb1 rw\n");
  const Printed device = Init({"--model", "4", "--yes"});
  EXPECT_EQ(device.exitStatus, 1);
  EXPECT_EQ(device.errors, "korvane-cli: Not SD Card Drive\n");
}

}  // namespace
