#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "recording/CardTestFiles.h"
#include "recording/MgrDBSearch.h"
#include "recording/VideoBytes.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kInvalid = "Invalid drive recorder folder.";
constexpr const char* kNoRecord = "No recorded file.";
constexpr const char* kRunCheckDisk = "Crashed files are detected in sd card. do you want to run checkdisk ?";

class RecordingView final : public StoreViewSink {
 public:
  void ClearFileLists() override { calls.push_back("clear"); }
  void ResetPicture() override { calls.push_back("picture"); }
  void ResetDisplays() override { calls.push_back("displays"); }
  void ResetGraph() override { calls.push_back("graph"); }
  void StopPlayback() override { calls.push_back("stop"); }
  void SetWaitCursor(bool busy) override { calls.push_back(busy ? "wait" : "unwait"); }
  void RefreshFileLists() override { calls.push_back("refresh"); }
  void ShowFileList(FileListKind kind) override {
    calls.push_back("show");
    shown = kind;
  }
  void ShowRoot(const std::string& root) override { roots.push_back(root); }
  void ShowNotice(const std::string& text) override { notices.push_back(text); }
  int Count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }

  std::vector<std::string> calls;
  FileListKind shown = FileListKind::kLog;
  std::vector<std::string> roots;
  std::vector<std::string> notices;
};

class MgrDBSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedLang_ = LangFilePath();
    SetLangFilePath("");
    store_.SetViewSink(&view_);
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  std::string Card() const { return (dir_ / "card").string(); }
  std::string Put(const std::string& name, size_t size) { return dir_.Write("card/" + name, Filler(size)).string(); }

  // The card's folder is the mount point of a device that is removable or not.
  void MountCard(bool removable) {
    dir_.Write("mountinfo",
               "21 1 8:1 / / rw - ext4 /dev/sda1 rw\n22 21 8:17 / " + Card() + " rw - vfat /dev/sdb1 rw\n");
    dir_.Write("sys/dev/block/8:17/removable", removable ? "1\n" : "0\n");
  }

  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : prompt_.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }

  TempDir dir_;
  std::string savedLang_;
  ScriptedPrompt prompt_;
  ManualUiQueue ui_;
  AppState app_;
  Volumes volumes_{dir_ / "mountinfo", dir_ / "sys", {}};
  RecordingView view_;
  CMgrDBSearch store_{prompt_, ui_, app_, volumes_};
};

TEST_F(MgrDBSearchTest, SelectAndScanTakesThePickedFolderWhole) {
  MakeCardFolders(Card());
  Put("ch1/event/0001.vdd", 100);
  MountCard(true);

  // A mount point is a card root as it is, trailing separator and all.
  prompt_.QueueFolder(Card() + "/");
  store_.SelectAndScan();
  ASSERT_EQ(prompt_.PickerTitles().size(), 1u);
  EXPECT_EQ(prompt_.PickerTitles()[0], "Select SD Card Drive or Backup folder");
  EXPECT_EQ(store_.Root(), Card() + "/");
  EXPECT_EQ(store_.Catalogue().event.size(), 1u);
  EXPECT_TRUE(ShownTexts().empty());

  // A cancelled or empty answer changes nothing.
  const size_t calls = view_.calls.size();
  store_.SelectAndScan();
  prompt_.QueueFolder(std::string());
  EXPECT_FALSE(store_.SelectFolder());
  EXPECT_EQ(store_.Root(), Card() + "/");
  EXPECT_EQ(view_.calls.size(), calls);

  // A folder inside the card (a backup's subfolder, say) stays whole too;
  // choosing without scanning leaves the lists alone.
  MakeCardFolders(dir_ / "card" / "backup");
  prompt_.QueueFolder(Card() + "/backup");
  EXPECT_TRUE(store_.SelectFolder());
  EXPECT_EQ(store_.Root(), Card() + "/backup");
  EXPECT_EQ(store_.Catalogue().event.size(), 1u);
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{kNoRecord});
}

TEST_F(MgrDBSearchTest, TheLayoutNeedsTheEventAndLogFoldersOnly) {
  MakeCardFolders(Card(), "ch1", "event", "", "log");
  EXPECT_TRUE(store_.ValidateFolder(Card()));
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{kNoRecord});
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Korvane");

  Put("log/0001.log", 100);
  EXPECT_TRUE(store_.ChooseRoot(Card()));
  EXPECT_EQ(ShownTexts().size(), 1u);

  // Without the log folder the root is refused, the store emptied.
  store_.Videos().push_back(std::make_unique<CInfoEventFile>());
  store_.SetCurrentIndex(0);
  fs::remove_all(dir_ / "card" / "log");
  EXPECT_FALSE(store_.ChooseRoot(Card()));
  EXPECT_EQ(ShownTexts().back(), kInvalid);
  EXPECT_EQ(store_.Root(), "");
  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_EQ(store_.CurrentIndex(), -1);
  EXPECT_EQ(view_.Count("clear"), 1);

  // Likewise without the event folder, and for no root at all.
  MakeCardFolders(dir_ / "other", "ch1", "normal", "", "log");
  EXPECT_FALSE(store_.ValidateFolder((dir_ / "other").string()));
  EXPECT_FALSE(store_.ValidateFolder(""));
  // A rescan without a root walks nothing (not the working folder).
  store_.Scan();
  EXPECT_EQ(view_.Count("wait"), 0);
}

TEST_F(MgrDBSearchTest, PulseTypeComesFromTheCardSettings) {
  MakeCardFolders(Card());
  Put("ch1/event/0001.vdd", 100);
  ASSERT_TRUE(store_.ChooseRoot(Card()));
  struct Case {
    const char* settings;
    int type;
    int kmhOf100;
  };
  const Case cases[] = {
      {"[SET]\r\nCARPULSETYPE=0\r\n", 0, 282}, {"[SET]\r\nCARPULSETYPE=1\r\n", 1, 141},
      {"[SET]\r\nCARPULSETYPE=2\r\n", 2, 70},  {"[SET]\r\nCARPULSETYPE=3\r\n", 3, 35},
      {"[SET]\r\nCARPULSETYPE=4\r\n", 4, 28},  {"[SET]\r\nCARPULSETYPE=5\r\n", 5, 22},
      {"[SET]\r\nCARPULSETYPE=6\r\n", -1, 0},  {"[SET]\r\nCARPULSETYPE=-2\r\n", -1, 0},
      {"[SET]\r\nOTHER=1\r\n", -1, 0},
  };
  for (const Case& c : cases) {
    dir_.Write("card/config/set.ini", c.settings);
    store_.Scan();
    EXPECT_EQ(store_.PulseType(), c.type) << c.settings;
    EXPECT_EQ(store_.PulseToKmh(100), c.kmhOf100) << c.settings;
  }
  fs::remove_all(dir_ / "card" / "config");
  dir_.Write("card/CONFIG/SET.INI", "[set]\r\ncarpulsetype=4\r\n");
  store_.Scan();
  EXPECT_EQ(store_.PulseType(), 4);
  // Exact where a double product would land just under a whole number.
  EXPECT_EQ(store_.PulseToKmh(637 * 20), 3600);
  EXPECT_EQ(store_.PulseToKmh(-1), 0);
  EXPECT_EQ(store_.PulseToKmh(0), 0);
}

TEST_F(MgrDBSearchTest, ForgettingTheRootEmptiesTheStoreAndAScanThenWalksNothing) {
  MakeCardFolders(Card(), "CH1", "Event", "NORMAL", "LOG");
  Put("CH1/Event/0001.vdd", 100);
  ASSERT_TRUE(store_.ChooseRoot(Card()));
  store_.Scan();
  ASSERT_EQ(store_.Catalogue().event.size(), 1u);
  store_.Videos().push_back(std::make_unique<CInfoEventFile>());

  store_.ForgetRoot();
  EXPECT_TRUE(store_.Root().empty());
  EXPECT_TRUE(store_.Catalogue().event.empty());
  EXPECT_TRUE(store_.Videos().empty());
  store_.Scan();
  EXPECT_TRUE(store_.Catalogue().event.empty());
}

// Whatever shows the chosen folder hears of every change of it: another
// card, a refused folder, a card given up, the same card chosen again.
TEST_F(MgrDBSearchTest, TheViewHearsEveryChangeOfTheRoot) {
  MakeCardFolders(Card(), "ch1", "event", "normal", "log");
  Put("ch1/event/0001.vdd", 100);
  const std::string other = (dir_ / "other").string();
  MakeCardFolders(other, "ch1", "event", "normal", "log");
  dir_.Write("other/ch1/event/0001.vdd", Filler(100));

  ASSERT_TRUE(store_.ChooseRoot(Card()));
  ASSERT_TRUE(store_.ChooseRoot(other));
  ASSERT_FALSE(store_.ChooseRoot((dir_ / "nothing").string()));
  ASSERT_TRUE(store_.ChooseRoot(Card()));
  store_.ForgetRoot();
  ASSERT_TRUE(store_.ChooseRoot(Card()));
  ASSERT_FALSE(view_.roots.empty());
  EXPECT_EQ(view_.roots.back(), Card());
  // Each root the store took on was told, the refused one given up again.
  const std::vector<std::string> expected{Card(), other, (dir_ / "nothing").string(), "", Card(), "", Card()};
  EXPECT_EQ(view_.roots, expected);
}

TEST_F(MgrDBSearchTest, ScanBuildsTheCatalogueAndShowsTheFirstFilledList) {
  MakeCardFolders(Card(), "CH1", "Event", "NORMAL", "LOG");
  const std::string normal = Put("CH1/NORMAL/0001.vdd", 100);
  const std::string empty = Put("CH1/NORMAL/0002.vdd", 29);
  const std::string emptyIndex = Put("CH1/NORMAL/0002.vdx", 100);
  const std::string log = Put("LOG/0003.log", 100);
  store_.Videos().push_back(std::make_unique<CInfoEventFile>());
  ASSERT_TRUE(store_.ChooseRoot(Card()));
  store_.Scan();

  EXPECT_EQ(view_.calls, (std::vector<std::string>{"stop", "clear", "picture", "displays", "graph", "wait", "refresh",
                                                   "show", "unwait"}));
  EXPECT_EQ(view_.shown, FileListKind::kNormal);
  EXPECT_TRUE(store_.Videos().empty());
  EXPECT_EQ(store_.LastScan().counts.normal, 2);
  EXPECT_EQ(store_.LastScan().counts.log, 1);
  EXPECT_EQ(store_.LastScan().deleted, (std::vector<std::string>{empty, emptyIndex}));
  // One notice after the scan names them, from the card's root on.
  EXPECT_EQ(view_.notices,
            (std::vector<std::string>{"These files were too short to hold anything and have been "
                                      "removed from the card:\nCH1/NORMAL/0002.vdd\nCH1/NORMAL/0002.vdx"}));
  EXPECT_FALSE(store_.LastScan().crashed);
  EXPECT_EQ(store_.Catalogue().normal, std::vector<std::string>{normal});
  EXPECT_EQ(store_.Catalogue().log, std::vector<std::string>{log});
  EXPECT_TRUE(app_.hasLogs);

  Put("CH1/Event/0004.vdd", 100);
  store_.Scan();
  EXPECT_EQ(view_.shown, FileListKind::kEvent);

  fs::remove(normal);
  fs::remove(dir_ / "card/CH1/Event/0004.vdd");
  store_.Scan();
  EXPECT_EQ(view_.shown, FileListKind::kLog);

  // Without verification (the dialog's box unticked) nothing is removed.
  const std::string stays = Put("LOG/0005.log", 3);
  store_.SetCheckFilesRunner([this](CheckFilesPass& pass) {
    pass.SetVerify(false);
    pass.Start(ui_, {});
  });
  store_.Scan();
  EXPECT_TRUE(store_.LastScan().deleted.empty());
  EXPECT_EQ(store_.Catalogue().log, (std::vector<std::string>{log, stays}));
  fs::remove(log);
  fs::remove(stays);
  store_.Scan();
  EXPECT_FALSE(app_.hasLogs);
}

TEST_F(MgrDBSearchTest, CrashedFilesOnARemovableCardOfferTheDiskCheck) {
  MakeCardFolders(Card());
  if (!MakeUnreadableFile(dir_ / "card/ch1/event/0001.vdd")) GTEST_SKIP() << "no unreadable file can be made here";
  std::vector<std::string> checked;
  bool checkEndsOk = true;
  store_.SetDiskCheckRunner([&](const std::string& root) {
    checked.push_back(root);
    return checkEndsOk;
  });
  ASSERT_TRUE(store_.ChooseRoot(Card()));

  // Not a removable drive: nothing is asked.
  MountCard(false);
  store_.Scan();
  EXPECT_TRUE(store_.LastScan().crashed);
  EXPECT_TRUE(prompt_.ShownBoxes().empty());

  MountCard(true);
  prompt_.QueueAnswer(PromptAnswer::Cancel);
  store_.Scan();
  ASSERT_EQ(ShownTexts(), std::vector<std::string>{kRunCheckDisk});
  EXPECT_EQ(prompt_.ShownBoxes()[0].buttons, PromptButtons::OkCancel);
  EXPECT_TRUE(checked.empty());

  // OK runs the check; when it ends with OK the store scans again, later.
  store_.Scan();
  EXPECT_EQ(checked, std::vector<std::string>{Card()});
  const int scans = view_.Count("wait");
  checkEndsOk = false;
  EXPECT_EQ(ui_.Drain(), 1);
  EXPECT_EQ(view_.Count("wait"), scans + 1);
  EXPECT_EQ(checked.size(), 2u);
  EXPECT_EQ(ui_.Drain(), 0);

  // A rescan posted by a store that is gone finds nothing to do.
  {
    CMgrDBSearch gone(prompt_, ui_, app_, volumes_);
    gone.PostRescan();
  }
  EXPECT_EQ(ui_.Drain(), 1);

  // Where no check can be run, none is offered.
  const size_t asked = prompt_.ShownBoxes().size();
  store_.SetDiskCheckRunner({});
  store_.Scan();
  EXPECT_TRUE(store_.LastScan().crashed);
  EXPECT_EQ(prompt_.ShownBoxes().size(), asked);
}

// A recording whose frames have a GPS fix where fixes[i] is set; each
// frame's picture is a distinct run of bytes in the data file.
std::unique_ptr<CInfoEventFile> LoadWithFixes(const TempDir& dir, const std::string& name,
                                              const std::vector<uint8_t>& fixes) {
  Bytes data;
  Bytes index;
  for (size_t i = 0; i < fixes.size(); ++i) {
    TestRecord record;
    record.offset = static_cast<uint32_t>(data.size());
    record.size = static_cast<uint32_t>(100 + i);
    record.gpsValid = fixes[i];
    record.time.second = static_cast<uint16_t>(i);
    Append(data, Bytes(record.size, static_cast<uint8_t>(i + 1)));
    Append(index, EncodeRecord(record, 66));
  }
  TestTrailer trailer;
  trailer.frameCount = static_cast<uint32_t>(fixes.size());
  Append(index, EncodeTrailer(trailer));
  dir.Write(name + ".vdx", AsText(index));
  auto video = std::make_unique<CInfoEventFile>();
  video->LoadVideoRecording(dir.Write(name + ".vdd", AsText(data)).string(), nullptr);
  return video;
}

TEST_F(MgrDBSearchTest, GpsQueriesAndFrameReadsOnTheLoadedRecordings) {
  auto& videos = store_.Videos();
  videos.push_back(LoadWithFixes(dir_, "a", {0, 1, 0, 0, 1, 0}));
  videos.push_back(LoadWithFixes(dir_, "b", {0, 0, 0, 1}));
  videos.push_back(LoadWithFixes(dir_, "c", {0, 0, 0}));
  ASSERT_EQ(videos[0]->FrameCount(), 6);

  videos[0]->SetCurrentFrameIndex(3);
  EXPECT_EQ(store_.FindNearestFixFrame(0), 1);  // backwards first
  videos[0]->SetCurrentFrameIndex(4);
  EXPECT_EQ(store_.FindNearestFixFrame(0), 4);
  EXPECT_FALSE(store_.IsCurrentFrameWithoutFix(0));
  videos[1]->SetCurrentFrameIndex(1);
  EXPECT_EQ(store_.FindNearestFixFrame(1), 3);  // then forwards
  EXPECT_TRUE(store_.IsCurrentFrameWithoutFix(1));
  videos[2]->SetCurrentFrameIndex(2);
  EXPECT_EQ(store_.FindNearestFixFrame(2), 0);  // none
  EXPECT_EQ(store_.FindNearestFixFrame(7), 0);

  EXPECT_TRUE(store_.HasGpsFix(1));
  EXPECT_FALSE(store_.HasGpsFix(2));
  EXPECT_TRUE(store_.HasGpsFix(-1));  // any of them
  videos.erase(videos.begin(), videos.begin() + 2);
  EXPECT_FALSE(store_.HasGpsFix(5));

  EXPECT_EQ(store_.ReadFrame(0, 2), 102);
  EXPECT_EQ(store_.FrameBytes(), 102);
  EXPECT_EQ(store_.FrameBuffer()[0], 3);
  EXPECT_EQ(store_.FrameBuffer()[101], 3);
  EXPECT_EQ(store_.ReadFrame(0, 3), 0);
  EXPECT_EQ(store_.FrameBytes(), 0);
  EXPECT_EQ(store_.ReadFrame(1, 0), 0);
}

}  // namespace
