#include <gtest/gtest.h>

#include <filesystem>

#include "recording/VideoIndexPath.h"
#include "support/TempDir.h"

namespace {

TEST(VideoIndexPathTest, SuffixOfEightCharactersIsDropped) {
  TempDir dir;
  const auto data = dir.Write("EVT0001_1A2B3C4.vdd", "");
  const auto index = dir.Write("EVT0001_20240512.vdx", "");
  EXPECT_EQ(VideoIndexPath(data.string()), index.string());
  EXPECT_EQ(VideoDataPathForIndex(index.string()), "");  // the index has its own suffix
}

TEST(VideoIndexPathTest, PlainStemMatchesAnyContinuation) {
  TempDir dir;
  const auto data = dir.Write("ch1/event/REC0042.vdd", "");
  dir.Write("ch1/event/REC0043.vdx", "");
  const auto index = dir.Write("ch1/event/REC0042.VDX", "");
  EXPECT_EQ(VideoIndexPath(data.string()), index.string());
  EXPECT_EQ(VideoDataPathForIndex(index.string()), data.string());
}

TEST(VideoIndexPathTest, CaseIsIgnoredAndTheChoiceIsStable) {
  TempDir dir;
  const auto data = dir.Write("rec0042.VDD", "");
  dir.Write("REC0042_b.vdx", "");
  const auto first = dir.Write("REC0042_a.Vdx", "");
  dir.Write("REC0042.vdd.bak", "");
  std::filesystem::create_directory(dir / "REC0042_0.vdx");  // a folder never matches
  EXPECT_EQ(VideoIndexPath(data.string()), first.string());
}

TEST(VideoIndexPathTest, NothingMatches) {
  TempDir dir;
  const auto data = dir.Write("REC0001.vdd", "");
  dir.Write("REC0001.vdd", "");
  dir.Write("REC0002.vdx", "");
  EXPECT_EQ(VideoIndexPath(data.string()), "");
  EXPECT_EQ(VideoIndexPath((dir / "missing" / "REC0001.vdd").string()), "");
  EXPECT_EQ(VideoIndexPath(""), "");
}

TEST(VideoIndexPathTest, UnderscoreInAFolderNameDoesNotShortenThePath) {
  TempDir dir;
  const auto data = dir.Write("card_backup/A.vdd", "");
  const auto index = dir.Write("card_backup/A.vdx", "");
  EXPECT_EQ(VideoIndexPath(data.string()), index.string());
}

}  // namespace
