// The commands' output files: never one of their inputs, and always whole.

#include <gtest/gtest.h>

#include <filesystem>

#include "cli/OutputFile.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

TEST(OutputFile, AnInputUnderAnyNameIsRecognised) {
  TempDir dir;
  const std::string input = dir.Write("rec.vdd", "frames").string();
  fs::create_symlink(input, dir / "link.jpg");
  fs::create_hard_link(input, dir / "hard.jpg");
  dir.Write("other.jpg", "frames");

  EXPECT_TRUE(IsOneOfInputs(input, {input}));
  EXPECT_TRUE(IsOneOfInputs((dir / "link.jpg").string(), {"", input}));
  EXPECT_TRUE(IsOneOfInputs((dir / "hard.jpg").string(), {(dir / "missing").string(), input}));
  EXPECT_FALSE(IsOneOfInputs((dir / "other.jpg").string(), {input}));  // equal bytes, another file
  EXPECT_FALSE(IsOneOfInputs((dir / "new.jpg").string(), {input}));
}

TEST(OutputFile, ReplacesTheFileNotWhatALinkPointsAt) {
  TempDir dir;
  const fs::path kept = dir.Write("kept.txt", "kept");
  fs::create_symlink(kept, dir / "out.ppm");
  std::string error;
  ASSERT_TRUE(WriteOutputFile((dir / "out.ppm").string(), "P6\n", "pixels", &error)) << error;
  EXPECT_EQ(TempDir::Read(dir / "out.ppm"), "P6\npixels");
  EXPECT_FALSE(fs::is_symlink(dir / "out.ppm"));
  EXPECT_EQ(TempDir::Read(kept), "kept");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);

  // Nowhere to write: the error names the place, nothing is left.
  EXPECT_FALSE(WriteOutputFile((dir / "no/such/folder/out.jpg").string(), "", "x", &error));
  EXPECT_NE(error.find("no/such/folder"), std::string::npos) << error;
  // A folder in the output's place is not replaced.
  fs::create_directory(dir / "folder.jpg");
  EXPECT_FALSE(WriteOutputFile((dir / "folder.jpg").string(), "", "x", &error));
  EXPECT_TRUE(fs::is_directory(dir / "folder.jpg"));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 3);
}

}  // namespace
