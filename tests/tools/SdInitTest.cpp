// The card initialisation end to end on an image file standing for a card,
// "mounted" at a temporary folder through a fake mount table: the checks
// and their messages, the folder tree per model, restore or defaults with
// the VERSIONID rules, the installer copy, and the kept configuration
// removed on every way out.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/ProfileFile.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Volumes.h"
#include "support/TempDir.h"
#include "tools/FatImage.h"
#include "tools/HeadlessSdInit.h"
#include "tools/SdInit.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMxA = 0;
constexpr int kMxE = 4;
constexpr int kMxH = 9;
constexpr uint64_t kMiB = uint64_t{1} << 20;

// The real format on the image; a fresh file system holds nothing, so the
// folder standing for its mount is emptied as well. It also looks at the
// kept configuration while the card is being formatted.
class ImageBackedFormatter final : public CardFormatter {
 public:
  ImageBackedFormatter(CardFormatter& real, fs::path mountFolder, fs::path documents)
      : real_(real), mountFolder_(std::move(mountFolder)), documents_(std::move(documents)) {}

  FormatOutcome Format(const FormatRequest& request, const FormatProgress& progress,
                       const std::atomic<bool>& cancel) override {
    ++runs;
    for (const auto& entry : fs::recursive_directory_iterator(documents_)) {
      if (entry.is_regular_file()) keptWhileFormatting.push_back(entry.path().filename().string());
    }
    if (failNext) return {};
    FormatOutcome outcome = real_.Format(request, progress, cancel);
    if (outcome.result == FormatResult::kOk) {
      for (const auto& entry : fs::directory_iterator(mountFolder_)) fs::remove_all(entry.path());
    }
    return outcome;
  }

  int runs = 0;
  bool failNext = false;
  std::vector<std::string> keptWhileFormatting;

 private:
  CardFormatter& real_;
  fs::path mountFolder_;
  fs::path documents_;
};

class SdInitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::canonical(dir_.path());
    card_ = root_ / "mnt/CARD";
    fs::create_directories(card_);
    documents_ = root_ / "Documents";
    fs::create_directories(documents_);
    image_ = SparseImage(root_ / "card.img", "2G");
    installer_ = dir_.Write("data/setup.exe", "installer stand-in\n");
    dir_.Write("mountinfo", "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n40 22 7:0 / " + card_.string() + " rw - vfat " +
                                image_.string() + " rw\n");
  }

  void CardSettings(const std::string& setIni, const std::string& sdid = "") {
    dir_.Write("mnt/CARD/config/set.ini", setIni);
    if (!sdid.empty()) dir_.Write("mnt/CARD/config/sdid.ini", sdid);
  }

  SdInitEnd Init(int modelId, std::optional<std::string> picked, HeadlessFormatChoices choices = {}) {
    const Volumes volumes(root_ / "mountinfo", root_ / "sys", {});
    const DiskCheckTargets checks(volumes, root_ / "swaps");
    const FormatTargets targets(volumes, checks, root_ / "by-label");
    SystemCardDrives drives(volumes, targets);
    drives.AcceptImagesOnly();
    MkfsCardFormatter real(runner_, checks);
    ImageBackedFormatter formatter(real, card_, documents_);
    formatter.failNext = failFormat_;
    const std::atomic<bool> cancel{false};
    HeadlessSdInitPorts ports(drives, formatter, prompt_, choices, cancel);
    DefaultSettingsAfterFormat settings;
    prompt_.QueueFolder(std::move(picked));
    const SdInitEnd end = InitSdCard({modelId, card_, documents_, installer_}, prompt_, ports, settings);
    formatRuns_ = formatter.runs;
    kept_ = formatter.keptWhileFormatting;
    return end;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompt_.ShownBoxes()) texts.push_back(shown.text.substr(0, shown.text.find('\n')));
    return texts;
  }

  bool DocumentsEmpty() const { return fs::is_empty(documents_); }
  fs::path SetIni() const { return card_ / "config/set.ini"; }
  int SdInfo(const char* key) const { return ReadProfileInt(SetIni(), "SDINFO", key, -1); }

  TempDir dir_;
  fs::path root_, card_, documents_, image_, installer_;
  ScriptedPrompt prompt_;
  SpawnChildRunner runner_;
  bool failFormat_ = false;
  int formatRuns_ = 0;
  std::vector<std::string> kept_;
};

TEST_F(SdInitTest, AnMxACardGetsItsFoldersDefaultsAndTheInstallerButNoNormalFolder) {
  ASSERT_EQ(Init(kMxA, card_.string()), SdInitEnd::kDone);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Format and Init SD Card ?", "Format OK", "SD Card Init OK"}));
  EXPECT_NE(prompt_.ShownBoxes()[0].text.find(image_.string() + " (image file), 2.0 GiB"), std::string::npos)
      << "the question names what is erased: " << prompt_.ShownBoxes()[0].text;
  EXPECT_EQ(prompt_.PickerTitles(), std::vector<std::string>{"Select SD Card Drive"});
  EXPECT_TRUE(fs::is_directory(card_ / "CH1/event"));
  EXPECT_FALSE(fs::exists(card_ / "CH1/normal"));
  EXPECT_TRUE(fs::is_directory(card_ / "log"));
  EXPECT_EQ(ReadProfileInt(SetIni(), "SET", "POSTFIELD1", -1), 4) << "family A's defaults";
  // No VERSIONID is family A's own: the restore was offered and ticked, but
  // with no set.ini to put back the defaults are written, and the model id.
  EXPECT_EQ(SdInfo("MODELID"), kMxA);
  std::ifstream installer(card_ / "zaza/setup.exe");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(installer), {}), "installer stand-in\n");
  EXPECT_EQ(ReadFatImage(image_).label, "ZIDOVORI1");
  EXPECT_TRUE(DocumentsEmpty());
}

TEST_F(SdInitTest, AnMxHCardOfAnotherFamilyIsNotRestoredAndEndsWithMxHDefaults) {
  CardSettings("[SET]\nPOSTRECINT1=15\nOLDKEY=7\n[SDINFO]\nVERSIONID=1\n", "\xEF\xBB\xBFsdid=OLDCARD");
  ASSERT_EQ(Init(kMxH, card_.string(), {.quick = true, .restore = true}), SdInitEnd::kDone);
  EXPECT_TRUE(fs::is_directory(card_ / "CH1/normal"));
  EXPECT_EQ(ReadProfileInt(SetIni(), "SET", "OLDKEY", -1), -1) << "the old settings are not put back";
  EXPECT_EQ(SdInfo("VERSIONID"), 3);
  EXPECT_EQ(SdInfo("MODELID"), -1);
  EXPECT_FALSE(fs::exists(card_ / "config/sdid.ini"));
  EXPECT_EQ(kept_.size(), 2u) << "set.ini and sdid.ini were kept meanwhile";
  EXPECT_TRUE(DocumentsEmpty());
}

TEST_F(SdInitTest, AnMxECardOfItsFamilyGetsItsSettingsAndCardIdBackWithTheModelId) {
  CardSettings("[SET]\nPOSTRECINT1=15\nOLDKEY=7\n[SDINFO]\nVERSIONID=1\n", "\xEF\xBB\xBFsdid=OLDCARD");
  ASSERT_EQ(Init(kMxE, card_.string(), {.quick = true, .restore = true}), SdInitEnd::kDone);
  EXPECT_EQ(ReadProfileInt(SetIni(), "SET", "OLDKEY", -1), 7);
  EXPECT_EQ(ReadProfileInt(SetIni(), "SET", "POSTRECINT1", -1), 15);
  EXPECT_EQ(SdInfo("VERSIONID"), 1);
  EXPECT_EQ(SdInfo("MODELID"), kMxE);
  std::ifstream sdid(card_ / "config/sdid.ini", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(sdid), {}), "\xEF\xBB\xBFsdid=OLDCARD");
  EXPECT_TRUE(DocumentsEmpty());
}

TEST_F(SdInitTest, AnUntickedRestoreWritesTheDefaultsEvenForTheSameFamily) {
  CardSettings("[SET]\nOLDKEY=7\n[SDINFO]\nVERSIONID=1\n");
  ASSERT_EQ(Init(kMxE, card_.string(), {.quick = true, .restore = false}), SdInitEnd::kDone);
  EXPECT_EQ(ReadProfileInt(SetIni(), "SET", "OLDKEY", -1), -1);
  EXPECT_EQ(SdInfo("VERSIONID"), 1) << "family B's defaults";
  EXPECT_EQ(SdInfo("MODELID"), -1);
}

TEST_F(SdInitTest, AFolderThatIsNoCardRootIsRefusedWithNothingChanged) {
  fs::create_directories(card_ / "CH1");
  ASSERT_EQ(Init(kMxA, (card_ / "CH1").string()), SdInitEnd::kNotCard);
  ASSERT_EQ(Init(kMxA, root_.string()), SdInitEnd::kNotCard);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"Not SD Card Drive", "Not SD Card Drive"}));
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Setting");
  EXPECT_EQ(formatRuns_, 0);
  EXPECT_EQ(Init(kMxA, std::nullopt), SdInitEnd::kNoFolder);
}

TEST_F(SdInitTest, A1499MiBCardIsTooSmallAnd1500MiBIsAsked) {
  fs::resize_file(image_, 1499 * kMiB);
  ASSERT_EQ(Init(kMxA, card_.string()), SdInitEnd::kTooSmall);
  EXPECT_EQ(Texts().back(), "SD Card of not supported size.");
  fs::resize_file(image_, 1500 * kMiB);
  prompt_.QueueAnswer(PromptAnswer::Cancel);
  ASSERT_EQ(Init(kMxA, card_.string()), SdInitEnd::kDeclined);
  EXPECT_EQ(Texts().back(), "Format and Init SD Card ?");
  EXPECT_EQ(formatRuns_, 0);
  EXPECT_TRUE(DocumentsEmpty());
}

TEST_F(SdInitTest, AFailedOrAbandonedFormatEndsWithoutFoldersAndWithoutTheKeptCopies) {
  CardSettings("[SET]\nOLDKEY=7\n[SDINFO]\nVERSIONID=1\n", "\xEF\xBB\xBFsdid=OLDCARD");
  failFormat_ = true;
  ASSERT_EQ(Init(kMxE, card_.string()), SdInitEnd::kNotFormatted);
  EXPECT_EQ(Texts().back(), "Format Fail");
  EXPECT_EQ(kept_.size(), 2u);
  EXPECT_TRUE(DocumentsEmpty());
  EXPECT_FALSE(fs::exists(card_ / "CH1"));
  EXPECT_EQ(ReadProfileInt(SetIni(), "SET", "OLDKEY", -1), 7) << "the card's settings are left alone";

  failFormat_ = false;
  fs::resize_file(image_, 0);  // no size: the card-type question, answered "Other Type"
  const size_t shownBefore = prompt_.ShownBoxes().size();
  ASSERT_EQ(Init(kMxE, card_.string(), {.quick = true, .restore = true, .cardType = CardTypeAnswer::kOther}),
            SdInitEnd::kNotFormatted);
  EXPECT_EQ(prompt_.ShownBoxes().size(), shownBefore + 1) << "only the question; no result message";
  EXPECT_TRUE(DocumentsEmpty());
  EXPECT_FALSE(fs::exists(card_ / "CH1"));
}

}  // namespace
