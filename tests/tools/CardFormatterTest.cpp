// The format on image files, with the real mkfs.fat: the label, FAT32, the
// cluster size the card's size calls for, a clean file system; the full
// format's zero pass with its percent and its Cancel; and the card-type
// question of a card whose size is unknown.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "platform/Volumes.h"
#include "support/TempDir.h"
#include "tools/CardFormatter.h"
#include "tools/FatImage.h"
#include "tools/FormatRun.h"

namespace fs = std::filesystem;

namespace {

class CardFormatterTest : public ::testing::Test {
 protected:
  FormatTarget ImageTarget(const fs::path& image) const { return formatTargets_.Resolve(image); }

  FormatRunOutcome Run(const FormatTarget& target, bool quick, const CardTypeQuestion& ask = {},
                       const FormatProgress& progress = {}) {
    return RunFormat(target, quick, ask, formatter_, progress, cancel_);
  }

  TempDir dir_;
  const Volumes volumes_{dir_ / "no-mountinfo", dir_ / "no-sys", {}};
  const DiskCheckTargets targets_{volumes_, dir_ / "no-swaps"};
  const FormatTargets formatTargets_{volumes_, targets_, dir_ / "no-labels"};
  SpawnChildRunner runner_;
  MkfsCardFormatter formatter_{runner_, targets_};
  std::atomic<bool> cancel_{false};
};

TEST_F(CardFormatterTest, ATwoGigabyteCardGetsSmallClustersAndAnEightGigabyteCardLargeOnes) {
  for (const auto& [size, cluster] : {std::pair{"2G", 16384}, std::pair{"8G", 32768}}) {
    const fs::path image = SparseImage(dir_ / (std::string(size) + ".img"), size);
    const FormatRunOutcome run = Run(ImageTarget(image), true);
    ASSERT_EQ(run.format.result, FormatResult::kOk) << size << ": " << run.format.detail;
    EXPECT_FALSE(run.abandoned);
    EXPECT_TRUE(run.format.mountedAt.empty()) << "an image is not mounted";
    const FatImageFacts facts = ReadFatImage(image);
    EXPECT_TRUE(facts.clean) << size;
    EXPECT_EQ(facts.fatBits, 32) << size;
    EXPECT_EQ(facts.clusterBytes, cluster) << size;
    EXPECT_EQ(facts.label, "ZIDOVORI1") << size;
    EXPECT_EQ(ImageTarget(image).label, "ZIDOVORI1") << "the label is read back for the next confirmation";
  }
}

TEST_F(CardFormatterTest, AnUnknownSizeAsksTheCardTypeAndOtherTypeAbandonsTheFormat) {
  const fs::path image = SparseImage(dir_ / "card.img", "64M");
  FormatTarget target = ImageTarget(image);
  target.sizeBytes.reset();
  int asked = 0;
  const FormatRunOutcome sdhc = Run(target, true, [&asked] {
    ++asked;
    return CardTypeAnswer::kSdhc;
  });
  ASSERT_EQ(sdhc.format.result, FormatResult::kOk) << sdhc.format.detail;
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ReadFatImage(image).clusterBytes, 32768);

  const FormatRunOutcome sd = Run(target, true, [] { return CardTypeAnswer::kSd; });
  ASSERT_EQ(sd.format.result, FormatResult::kOk);
  EXPECT_EQ(ReadFatImage(image).clusterBytes, 16384);

  fs::resize_file(image, 0);
  fs::resize_file(image, 64 << 20);
  const FormatRunOutcome other = Run(target, true, [] { return CardTypeAnswer::kOther; });
  EXPECT_TRUE(other.abandoned);
  EXPECT_EQ(other.format.result, FormatResult::kCancel);
  EXPECT_EQ(ReadFatImage(image).label, "") << "nothing was formatted";

  target.sizeBytes = uint64_t{64} << 20;
  const FormatRunOutcome known = Run(target, true, [&asked] {
    ++asked;
    return CardTypeAnswer::kOther;
  });
  EXPECT_EQ(known.format.result, FormatResult::kOk) << "a known size asks nothing";
  EXPECT_EQ(asked, 1);
}

TEST_F(CardFormatterTest, AFullFormatZeroesTheCardWithRisingPercentThenFormatsIt) {
  const fs::path image = SparseImage(dir_ / "card.img", "64M");
  {
    std::fstream file(image, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(40 << 20);
    file << "old recording bytes";
  }
  std::vector<int> percents;
  const FormatRunOutcome run =
      Run(ImageTarget(image), false, {}, [&percents](int percent) { percents.push_back(percent); });
  ASSERT_EQ(run.format.result, FormatResult::kOk) << run.format.detail;
  ASSERT_GE(percents.size(), 3u);
  EXPECT_EQ(percents.front(), 0);
  EXPECT_EQ(percents.back(), 100);
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()));
  EXPECT_TRUE(ReadFatImage(image).clean);
  std::ifstream file(image, std::ios::binary);
  file.seekg(40 << 20);
  std::string bytes(19, 'x');
  file.read(bytes.data(), 19);
  EXPECT_EQ(bytes, std::string(19, '\0')) << "the old data is overwritten";
}

TEST_F(CardFormatterTest, CancelDuringTheZeroPassEndsWithoutAFileSystem) {
  const fs::path image = SparseImage(dir_ / "card.img", "64M");
  std::vector<int> percents;
  const FormatRunOutcome run = Run(ImageTarget(image), false, {}, [this, &percents](int percent) {
    percents.push_back(percent);
    if (percent >= 20) cancel_ = true;
  });
  EXPECT_EQ(run.format.result, FormatResult::kCancel);
  EXPECT_FALSE(run.abandoned) << "a cancel is told, unlike the card-type question's Other Type";
  EXPECT_LT(percents.back(), 100);
  EXPECT_EQ(ReadFatImage(image).label, "") << "mkfs.fat never ran";
}

// mkfs.fat's own last words, or that it is missing, make the failure's detail.
TEST_F(CardFormatterTest, AFailingOrMissingFormatterIsAFailureWithItsWords) {
  struct FailingRunner final : ChildRunner {
    ChildResult Run(const ChildCommand& command, const ChildLineSink& onLine, const std::atomic<bool>*) override {
      argv = command.argv;
      if (!installed) return {ChildEnd::kNotStarted, -1};
      onLine("mkfs.fat 4.2 (2021-01-31)");
      onLine("mkfs.fat: unable to open card.img: Read-only file system");
      return {ChildEnd::kExited, 1};
    }
    bool installed = true;
    std::vector<std::string> argv;
  } runner;
  MkfsCardFormatter formatter(runner, targets_);
  const fs::path image = SparseImage(dir_ / "card.img", "64M");
  const FormatOutcome failed = formatter.Format({ImageTarget(image), 32768, true}, {}, cancel_);
  EXPECT_EQ(failed.result, FormatResult::kFail);
  EXPECT_EQ(failed.detail, "mkfs.fat failed: mkfs.fat: unable to open card.img: Read-only file system");
  EXPECT_EQ(runner.argv, (std::vector<std::string>{"mkfs.fat", "-F", "32", "-n", "ZIDOVORI1", "-S", "512", "-s", "64",
                                                   image.string()}));
  runner.installed = false;
  const FormatOutcome missing = formatter.Format({ImageTarget(image), 32768, true}, {}, cancel_);
  EXPECT_EQ(missing.result, FormatResult::kFail);
  EXPECT_NE(missing.detail.find("dosfstools"), std::string::npos) << missing.detail;
  EXPECT_EQ(std::string(FormatResultText(missing.result).english), "Format Fail");
}

}  // namespace
