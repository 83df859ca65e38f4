// The viewer without a window: which dialog each export and card-tool
// command opens, or what it says instead, for each state of the card; what
// a pulled card does; and the frame shown handed to the exports.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/CommandIds.h"
#include "base/MgrMultiLang.h"
#include "export/TrackFormat.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "platform/TimeKey.h"
#include "platform/Volumes.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "recording/InfoEventFile.h"
#include "recording/ShownFrame.h"
#include "samplecard/SampleCard.h"
#include "shell/Viewer.h"
#include "support/TempDir.h"
#include "support/ZoneGuard.h"

namespace {

namespace fs = std::filesystem;

class RecordingExports final : public ExportDialogLauncher {
 public:
  void SaveImages(CInfoEventFile&, int, const std::vector<int>&, const std::vector<unsigned char>& c) override {
    opened.push_back("save-images");
    comment = c;
  }
  void SaveAvi(AviExportSource source, const std::vector<unsigned char>& c, int) override {
    opened.push_back("save-avi");
    aviStart = source.startFrame;
    comment = c;
  }
  void SaveMp4(AviExportSource source, int) override {
    opened.push_back("save-mp4");
    aviStart = source.startFrame;
  }
  void PrintImages(CInfoEventFile&, int, const std::vector<int>&, const std::vector<unsigned char>&, int,
                   int) override {
    opened.push_back("print");
  }
  void ExportKml(std::vector<const CInfoLogFile*>, const GSensorGraphModel*) override { opened.push_back("kml"); }
  void ExportTrack(const TrackFormat& format, const std::string&, std::vector<TrackSource>, int) override {
    opened.push_back("track " + std::string(format.extension));
  }
  std::vector<std::string> opened;
  std::vector<unsigned char> comment;
  int aviStart = -1;
};

class RecordingTools final : public ToolDialogLauncher {
 public:
  void Backup(const std::string&, const BackupSelection&) override { opened.push_back("backup"); }
  bool CheckDisk(const std::string&) override {
    opened.push_back("check-disk");
    return false;
  }
  void InitSdCard(int, const std::string&, const std::function<void()>&, const std::function<void(const std::string&)>&,
                  SettingsAfterFormat*) override {
    opened.push_back("sd-init");
  }
  void DeviceSetting(int, DeviceSettingDialogContext) override { opened.push_back("device-setting"); }
  std::vector<std::string> opened;
};

class NoWindow final : public MainWindowActions {
 public:
  void Minimize() override {}
  void Exit() override {}
  void OpenFolder() override {}
  void OpenMenu(int) override {}
  void OpenHelp() override {}
  void OpenHomepage() override {}
  void ShowVersion() override {}
  void ChooseModel(int) override {}
  void ChooseSpeedSource(int) override {}
  void ChooseSpeedUnit(SpeedUnit) override {}
};

class NoSearch final : public SearchCommands {
 public:
  void LoadKind(FileListKind) override {}
  void SetAllChecked(bool) override {}
};

enum class Card { kNone, kChosen, kEventsLoaded, kLogsLoaded };

class ViewerTest : public ::testing::Test {
 protected:
  ViewerTest() : savedLang_(LangFilePath()) {
    SetLangFilePath("");
    clock_.SetLocalNow(MakeTimeKey(kSampleStart) + 86400 * 1000LL);
    viewer_.AttachWindow(window_, search_);
  }
  ~ViewerTest() override { SetLangFilePath(savedLang_); }

  void SetUp() override {
    SampleCardOptions options;
    options.events = 2;
    options.normals = 1;
    options.logs = 1;
    options.eventSeconds = 2;
    options.fps = 5;
    options.width = 64;
    options.height = 48;
    std::string error;
    ASSERT_TRUE(WriteSampleCard(CardFolder(), options, &card_, &error)) << error;
  }

  fs::path CardFolder() const { return dir_ / "card"; }

  void Reach(Card state) {
    if (state == Card::kNone) return;
    ASSERT_TRUE(viewer_.Store().ChooseRoot(CardFolder().string()));
    viewer_.Store().Scan();
    viewer_.Engine().FillLists();
    if (state == Card::kChosen) return;
    const FileListKind kind = state == Card::kEventsLoaded ? FileListKind::kEvent : FileListKind::kLog;
    viewer_.Engine().List(kind).SetAllChecked(true);
    ASSERT_EQ(viewer_.Engine().LoadChecked(kind), LoadOutcome::kLoaded);
  }

  // The dialog the command opened, else the message it showed, else "".
  std::string Outcome(int id) {
    exports_.opened.clear();
    tools_.opened.clear();
    const size_t boxes = prompt_.ShownBoxes().size();
    prompt_.QueueSaveFile((dir_ / "track").string());
    viewer_.RunCommand(id);
    if (!exports_.opened.empty()) return exports_.opened.back();
    if (!tools_.opened.empty()) return tools_.opened.back();
    if (prompt_.ShownBoxes().size() > boxes) return prompt_.ShownBoxes().back().text;
    return "";
  }

  ZoneGuard zone_;
  TempDir dir_;
  std::string savedLang_;
  SampleCard card_;
  ScriptedPrompt prompt_;
  ManualUiQueue ui_;
  AppState app_;
  Volumes volumes_{dir_ / "mountinfo", dir_ / "sys", {}};
  CAppSetting settings_{AppSettingFolders{dir_ / "settings", dir_ / "documents", dir_ / "data", dir_ / "start"}};
  ManualClock clock_;
  ManualTimerHost timers_{clock_};
  WaitingLoadingDialogRunner dialogs_;
  RecordingExports exports_;
  RecordingTools tools_;
  CardBusyMark busy_;
  Viewer viewer_{
      ViewerPorts{settings_, app_, prompt_, ui_, timers_, clock_, volumes_, dialogs_, exports_, tools_, busy_}};
  NoWindow window_;
  NoSearch search_;
};

TEST_F(ViewerTest, EachExportAndToolCommandOpensItsDialogOnlyWithWhatItNeeds) {
  const std::string noEvent = "No Event is loaded";
  const std::string noLog = "No Log is loaded.";
  struct Case {
    Card state;
    int id;
    std::string outcome;
  };
  const std::vector<Case> cases = {
      {Card::kNone, kIdSaveImage, noEvent},
      {Card::kLogsLoaded, kIdSaveImage, noEvent},
      {Card::kEventsLoaded, kIdSaveImage, "save-images"},
      {Card::kNone, kIdSaveAvi, noEvent},
      {Card::kEventsLoaded, kIdToolSaveAvi, "save-avi"},
      {Card::kChosen, kIdPrintImage, noEvent},
      {Card::kEventsLoaded, kIdAccelPrint, "print"},
      {Card::kEventsLoaded, kIdGoogleEarth, noLog},
      {Card::kLogsLoaded, kIdToolConvertKml, "kml"},
      {Card::kChosen, kIdToolExportGpx, noEvent},
      {Card::kEventsLoaded, kIdToolExportGpx, "track .gpx"},
      {Card::kLogsLoaded, kIdToolExportCsv, "track .csv"},
      {Card::kNone, kIdBackup, noEvent},
      {Card::kChosen, kIdToolBackup, "backup"},
      {Card::kNone, kIdToolCheckDisk, noEvent},
      {Card::kChosen, kIdToolCheckDisk, "check-disk"},
      {Card::kNone, kIdToolSdInit, "sd-init"},
      // Without a card the folder picker comes first; cancelled, nothing opens.
      {Card::kNone, kIdSetup, ""},
      {Card::kChosen, kIdToolSetting, "device-setting"},
  };
  for (const Case& c : cases) {
    viewer_.Store().ForgetRoot();
    Reach(c.state);
    EXPECT_TRUE(viewer_.IsEnabled(c.id)) << c.id;
    EXPECT_EQ(Outcome(c.id), c.outcome) << "command " << c.id << " in state " << static_cast<int>(c.state);
  }
}

// Each track format is one command, under korvane-cli's name for it, on its
// own menu item, exporting into a file of its extension.
TEST_F(ViewerTest, EveryTrackFormatIsACommandOfItsOwn) {
  Reach(Card::kEventsLoaded);
  for (const TrackFormat* format : TrackFormats()) {
    const Command* command = viewer_.Commands().FindByName(format->command);
    ASSERT_NE(command, nullptr) << format->command;
    EXPECT_EQ(command->ids, std::vector<int>{format->menuId});
    EXPECT_EQ(Outcome(format->menuId), "track " + std::string(format->extension));
  }
}

TEST_F(ViewerTest, APulledCardIsLetGoUnlessACardToolHasIt) {
  struct Case {
    bool busy;
    std::string mountPoint;
    bool taken;
  };
  const std::vector<Case> cases = {
      {false, "/media/other", false},
      {true, CardFolder().string(), false},
      {false, CardFolder().string(), true},
  };
  for (const Case& c : cases) {
    Reach(Card::kEventsLoaded);
    const size_t boxes = prompt_.ShownBoxes().size();
    std::optional<CardBusyMark::Hold> hold;
    if (c.busy) hold.emplace(busy_);
    EXPECT_EQ(viewer_.OnMediaRemoved(c.mountPoint), c.taken) << c.mountPoint;
    EXPECT_EQ(viewer_.Store().Root().empty(), c.taken);
    EXPECT_EQ(prompt_.ShownBoxes().size(), boxes + (c.taken ? 1 : 0));
    if (c.taken) {
      EXPECT_EQ(prompt_.ShownBoxes().back().text, "Media has been removed.");
    }
  }
}

TEST_F(ViewerTest, TheExportsOpenOnTheFrameShownWithItsOwnComment) {
  Reach(Card::kEventsLoaded);
  CMgrDBSearch& store = viewer_.Store();
  const ShownFrame& shown = store.Shown();
  ASSERT_TRUE(shown.IsShown());
  EXPECT_EQ(shown.recording, store.CurrentIndex());
  EXPECT_EQ(shown.frame, viewer_.Engine().Control().Navigator().Panes().Pane(0).frameIndex);
  CInfoEventFile& recording = *store.Videos()[static_cast<size_t>(shown.recording)];
  const std::vector<unsigned char> comment = DecodedFrameComment(recording, shown.frame);
  ASSERT_FALSE(comment.empty());
  EXPECT_EQ(shown.comment, comment);

  ASSERT_EQ(Outcome(kIdSaveAvi), "save-avi");
  EXPECT_EQ(exports_.comment, comment);
  EXPECT_EQ(exports_.aviStart, shown.frame);

  viewer_.Engine().Close();
  store.Reset();
  EXPECT_FALSE(store.Shown().IsShown());
}

}  // namespace
