// Deleting a card's recorded data in folders made in the test: which files
// go and in which order, what stays (subfolders, the other kind, anything a
// link points to), and what the bar shows when there is nothing to delete.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "tools/DeleteFiles.h"

namespace {

namespace fs = std::filesystem;

int FilesIn(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

struct Recorded {
  std::vector<std::string> steps;
  DeleteProgress progress;

  Recorded() {
    progress.range = [this](int low, int high) {
      steps.push_back("range " + std::to_string(low) + ".." + std::to_string(high));
    };
    progress.position = [this](int position) { steps.push_back("pos " + std::to_string(position)); };
    progress.pause = [this](int ms) { steps.push_back("pause " + std::to_string(ms)); };
  }
};

class DeleteFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 2;
    options.width = 64;
    options.height = 48;
    options.eventSeconds = 2;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card_, options, nullptr, &error)) << error;
  }

  TempDir dir_;
  fs::path card_ = dir_ / "card";
};

TEST_F(DeleteFilesTest, VideoOnlyEmptiesBothVideoFoldersAndLeavesLogsAndSubfolders) {
  dir_.Write("card/ch1/event/kept/inner.vdd", "a subfolder stays");
  DeleteFilesJob job(card_, true, false);
  const int total = job.Count();
  EXPECT_EQ(total, 6);  // two files for each of the three recordings

  Recorded recorded;
  EXPECT_EQ(job.Run(total, recorded.progress), 6);
  EXPECT_EQ(recorded.steps, (std::vector<std::string>{"pos 1", "pos 2", "pos 3", "pos 4", "pos 5", "pos 6"}));
  EXPECT_EQ(FilesIn(card_ / "ch1/event"), 0);
  EXPECT_EQ(FilesIn(card_ / "ch1/normal"), 0);
  EXPECT_EQ(FilesIn(card_ / "log"), 2);
  EXPECT_TRUE(fs::exists(card_ / "ch1/event/kept/inner.vdd"));
  EXPECT_TRUE(fs::exists(card_ / "config/set.ini"));
  EXPECT_EQ(job.Count(), 0);
}

TEST_F(DeleteFilesTest, BothKindsGoEventsFirstThenNormalsThenLogs) {
  DeleteFilesJob job(card_, true, true);
  std::vector<fs::path> order;
  DeleteProgress progress;
  const fs::path folders[] = {card_ / "ch1/event", card_ / "ch1/normal", card_ / "log"};
  // After each file, the first folder that still has files shows where the deletion stands.
  progress.position = [&](int) {
    for (const fs::path& folder : folders) {
      if (FilesIn(folder) > 0) {
        order.push_back(folder);
        return;
      }
    }
    order.push_back({});
  };
  EXPECT_EQ(job.Run(job.Count(), progress), 8);
  const std::vector<fs::path> expected = {folders[0], folders[0], folders[0], folders[1],
                                          folders[1], folders[2], folders[2], fs::path()};
  EXPECT_EQ(order, expected);
}

TEST_F(DeleteFilesTest, NothingToDeleteShowsHalfThenFullWithAPauseAfterEach) {
  DeleteFilesJob job(card_, false, false);
  EXPECT_EQ(job.Count(), 0);
  Recorded recorded;
  EXPECT_EQ(job.Run(0, recorded.progress), 0);
  EXPECT_EQ(recorded.steps, (std::vector<std::string>{"range 0..100", "pos 50", "pause 400", "pos 100", "pause 400"}));
}

TEST_F(DeleteFilesTest, LinksAreRemovedAsLinksAndLinkedFoldersAreNotEntered) {
  const fs::path outside = dir_.Write("outside/precious.log", "not on the card");
  fs::create_symlink(outside, card_ / "log/linked.log");
  fs::create_symlink(dir_ / "outside", card_ / "log/linked-folder");
  ASSERT_EQ(mkfifo((card_ / "log/pipe").c_str(), 0600), 0);
  // A card whose event folder is a link to a folder elsewhere.
  fs::remove_all(card_ / "ch1/event");
  fs::create_symlink(dir_ / "outside", card_ / "ch1/event");

  DeleteFilesJob job(card_, true, true);
  EXPECT_EQ(job.Count(), 2 + 3);  // the normal pair, two logs and the link to a file
  EXPECT_EQ(job.Run(job.Count(), {}), 5);
  EXPECT_FALSE(fs::exists(fs::symlink_status(card_ / "log/linked.log")));
  EXPECT_EQ(TempDir::Read(outside), "not on the card");
  EXPECT_TRUE(fs::is_symlink(card_ / "log/linked-folder"));
  EXPECT_TRUE(fs::exists(fs::symlink_status(card_ / "log/pipe")));
}

TEST(DeleteFilesFolders, FolderNamesInAnyCaseAndMissingFolders) {
  TempDir dir;
  dir.Write("card/CH1/EVENT/a.vdd", "a");
  dir.Write("card/Log/b.log", "b");
  DeleteFilesJob job(dir / "card", true, true);
  EXPECT_EQ(job.Count(), 2);  // no normal folder at all
  EXPECT_EQ(job.Run(2, {}), 2);
  EXPECT_FALSE(fs::exists(dir / "card/CH1/EVENT/a.vdd"));
  EXPECT_FALSE(fs::exists(dir / "card/Log/b.log"));
  EXPECT_EQ(DeleteFilesJob(dir / "nowhere", true, true).Count(), 0);
}

}  // namespace
