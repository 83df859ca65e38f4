// The export commands in the real window over a generated card: the three
// buttons and Tool items are there and enabled whatever is loaded, they say
// what is missing instead of opening a dialog, and each dialog, filled and
// started like a user does, writes files the usual clients accept.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <fstream>
#include <functional>
#include <iterator>

#include "base/CommandIds.h"
#include "export/ui/DlgExportKxLog.h"
#include "export/ui/DlgExportTrack.h"
#include "export/ui/DlgSaveAVI.h"
#include "export/ui/DlgSaveJpeg.h"
#include "export/ui/DlgSaveMp4.h"
#include "playback/ui/SearchUiSupport.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"
#include "support/AviProbe.h"
#include "support/CliRun.h"

namespace {

namespace fs = std::filesystem;
using main_window_test::MainWindowTest;
using search_ui_test::ModalProbe;
using search_ui_test::ModalWatchdog;

constexpr int kExportMs = 20000;

class ExportCommandsTest : public MainWindowTest {
 protected:
  // Runs the command of id; act gets its dialog once it is up and must
  // close it.
  template <typename Dialog>
  bool RunDialog(int id, const std::function<void(Dialog&)>& act) {
    bool opened = false;
    ModalWatchdog watchdog(QDialog::Rejected);
    ModalProbe<Dialog> probe([&](Dialog& dialog) {
      opened = true;
      act(dialog);
    });
    Panel().OnCommand(id);
    Reactivate();
    return opened;
  }

  template <typename Dialog>
  static bool WaitUntilSaved(const Dialog& dialog) {
    return WaitFor([&] { return !dialog.Saving(); }, kExportMs);
  }

  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : prompt_.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }
  std::string LastText() const { return prompt_.ShownBoxes().empty() ? "" : prompt_.ShownBoxes().back().text; }

  static std::vector<fs::path> FilesIn(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
  }

  int CurrentFrameCount() const {
    const CMgrDBSearch& store = frame_->Store();
    return store.Videos()[static_cast<size_t>(store.CurrentIndex())]->FrameCount();
  }

  fs::path Out() const {
    const fs::path out = dir_ / "out";
    fs::create_directories(out);
    return out;
  }
};

QAction* FindItem(QMenu* menu, int id) {
  for (QAction* action : menu->actions()) {
    if (action->data().toInt() == id) return action;
    if (action->menu())
      for (QAction* inner : action->menu()->actions())
        if (inner->data().toInt() == id) return inner;
  }
  return nullptr;
}

TEST_F(ExportCommandsTest, ButtonsAndToolItemsAreEnabledWhateverIsLoaded) {
  const std::vector<std::pair<int, QString>> buttons = {
      {kIdSaveImage, "Save image"}, {kIdSaveAvi, "Save AVI"}, {kIdGoogleEarth, "Run Google Earth"}};
  const std::vector<std::pair<int, QString>> items = {
      {kIdToolSaveAvi, "Save AVI(&T)"}, {kIdToolSaveJpg, "Save Jpeg(&J)"}, {kIdToolConvertKml, "Run Google Earth(&L)"}};
  auto expectAllEnabled = [&](const char* state) {
    SCOPED_TRACE(state);
    for (const auto& [id, tip] : buttons) {
      EXPECT_TRUE(Parts().Button(id)->isEnabled()) << id;
      EXPECT_EQ(Parts().Button(id)->toolTip(), tip);
    }
    QMenu* tool = Panel().BuildMenu(4);
    for (const auto& [id, text] : items) {
      QAction* item = FindItem(tool, id);
      ASSERT_NE(item, nullptr) << id;
      EXPECT_TRUE(item->isEnabled()) << id;
      EXPECT_EQ(item->text(), text);
    }
  };
  expectAllEnabled("no card");
  ASSERT_TRUE(OpenCard());
  expectAllEnabled("card, nothing loaded");
  LoadFirst(FileListKind::kEvent, 1);
  expectAllEnabled("event loaded");
  LoadFirst(FileListKind::kLog, 1);
  expectAllEnabled("log loaded");
}

TEST_F(ExportCommandsTest, WithoutDataTheCommandsSayWhatIsMissingAndOpenNoDialog) {
  ASSERT_TRUE(OpenCard());
  EXPECT_FALSE(RunDialog<CDlgSaveJpeg>(kIdSaveImage, [](CDlgSaveJpeg& d) { d.reject(); }));
  EXPECT_EQ(LastText(), "No Event is loaded");
  EXPECT_FALSE(RunDialog<CDlgSaveAVI>(kIdToolSaveAvi, [](CDlgSaveAVI& d) { d.reject(); }));
  EXPECT_EQ(LastText(), "No Event is loaded");
  EXPECT_FALSE(RunDialog<CDlgExportKxLog>(kIdGoogleEarth, [](CDlgExportKxLog& d) { d.reject(); }));
  EXPECT_EQ(LastText(), "No Log is loaded.");

  // Recordings loaded are no logs; logs loaded are no recordings.
  LoadFirst(FileListKind::kEvent, 1);
  EXPECT_FALSE(RunDialog<CDlgExportKxLog>(kIdToolConvertKml, [](CDlgExportKxLog& d) { d.reject(); }));
  EXPECT_EQ(LastText(), "No Log is loaded.");
  LoadFirst(FileListKind::kLog, 1);
  EXPECT_FALSE(RunDialog<CDlgSaveJpeg>(kIdToolSaveJpg, [](CDlgSaveJpeg& d) { d.reject(); }));
  EXPECT_EQ(LastText(), "No Event is loaded");
}

TEST_F(ExportCommandsTest, SaveImageChecksTheFolderThenWritesEveryFrameAndKeepsTheFolder) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  const int frames = CurrentFrameCount();
  ASSERT_GT(frames, 1);
  const fs::path out = Out();
  std::vector<std::string> during;
  ASSERT_TRUE(RunDialog<CDlgSaveJpeg>(kIdSaveImage, [&](CDlgSaveJpeg& dialog) {
    // The lists belong to the stretch only.
    EXPECT_TRUE(dialog.CurrentButton()->isChecked());
    EXPECT_FALSE(dialog.FpsList()->isEnabled());
    dialog.SelectedButton()->click();
    EXPECT_TRUE(dialog.FpsList()->isEnabled());
    EXPECT_TRUE(dialog.SecondsList()->isEnabled());
    dialog.AllButton()->click();
    EXPECT_FALSE(dialog.SecondsList()->isEnabled());

    dialog.FolderField()->setText(QString::fromStdString((out / "missing").string()));
    dialog.OkButton()->click();
    EXPECT_EQ(LastText(), "Folder does not exist, Please select folder again.");
    EXPECT_FALSE(dialog.Saving());

    dialog.FolderField()->setText(QString::fromStdString(out.string()));
    dialog.OkButton()->click();
    EXPECT_TRUE(WaitUntilSaved(dialog));
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_FALSE(dialog.CancelButton()->isEnabled());
    dialog.CloseButton()->click();
  }));
  EXPECT_EQ(LastText(), "Save Jpeg OK");
  EXPECT_EQ(settings_->SaveJpgFolder(), out.string());

  const auto files = FilesIn(out, ".jpg");
  ASSERT_EQ(static_cast<int>(files.size()), frames);
  EXPECT_NE(files.front().filename().string().find("_001.jpg"), std::string::npos);
  const CliRun size = RunShell("exiftool -s3 -ImageWidth -ImageHeight " + ShellQuote(files.back().string()));
  EXPECT_EQ(size.out, "160\n120\n");
}

TEST_F(ExportCommandsTest, SaveImageOfTheCurrentImagesInTheThumbnailViewTakesEveryPaneWithAFrame) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  Panel().OnCommand(kIdThumbView);
  int panesWithFrames = 0;
  for (int pane = 0; pane < kPaneCount; ++pane) {
    const PaneContent& content = Engine().Control().Navigator().Panes().Pane(pane);
    if (content.HoldsFrame()) ++panesWithFrames;
  }
  ASSERT_GT(panesWithFrames, 1);
  const fs::path out = Out();
  ASSERT_TRUE(RunDialog<CDlgSaveJpeg>(kIdToolSaveJpg, [&](CDlgSaveJpeg& dialog) {
    dialog.FolderField()->setText(QString::fromStdString(out.string()));
    dialog.OkButton()->click();
    EXPECT_TRUE(WaitUntilSaved(dialog));
    dialog.CloseButton()->click();
  }));
  EXPECT_EQ(static_cast<int>(FilesIn(out, ".jpg").size()), panesWithFrames);
}

TEST_F(ExportCommandsTest, SaveAviWritesTheWholeEventRecordingAsAMotionJpegFilm) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  const int frames = CurrentFrameCount();
  const fs::path out = Out();
  std::string fileName;
  settings_->SetAviCaption(kAviCaptionSpeed);
  ASSERT_TRUE(RunDialog<CDlgSaveAVI>(kIdSaveAvi, [&](CDlgSaveAVI& dialog) {
    // The caption boxes are the ones the last start had.
    EXPECT_TRUE(dialog.SpeedBox()->isChecked());
    EXPECT_FALSE(dialog.DateTimeBox()->isChecked());
    dialog.SpeedBox()->setChecked(false);
    // An event recording goes out whole: no range to choose.
    EXPECT_FALSE(dialog.StartDate()->isEnabled());
    EXPECT_FALSE(dialog.EndDate()->isEnabled());
    EXPECT_FALSE(dialog.EndTime()->isEnabled());
    EXPECT_EQ(dialog.FpsList()->currentIndex(), dialog.FpsList()->count() - 1);

    dialog.NameField()->setText("  ");
    dialog.FolderField()->setText(QString::fromStdString(out.string()));
    dialog.StartButton()->click();
    EXPECT_EQ(LastText(), "Please enter the file name.");

    dialog.NameField()->setText("drive");
    dialog.DateTimeBox()->setChecked(true);
    dialog.StartButton()->click();
    EXPECT_TRUE(dialog.CancelButton()->isEnabled() || !dialog.Saving());
    EXPECT_TRUE(WaitUntilSaved(dialog));
    fileName = dialog.Job().OutputPath();
    dialog.CloseButton()->click();
  }));
  EXPECT_EQ(LastText(), "AVI OK");
  EXPECT_EQ(fileName, (out / "drive.avi").string());
  EXPECT_EQ(settings_->SaveAviFolder(), out.string());
  EXPECT_EQ(settings_->AviCaption(), kAviCaptionDateTime);

  const nlohmann::json probe = ProbeAvi(out / "drive.avi");
  ASSERT_FALSE(probe.is_null());
  const auto& stream = probe["streams"][0];
  EXPECT_EQ(stream["codec_name"], "mjpeg");
  EXPECT_EQ(stream["width"], 160);
  EXPECT_EQ(stream["height"], 120);
  EXPECT_EQ(std::stoi(stream["nb_read_packets"].get<std::string>()), frames);
}

// Tool -> Save MP4 opens with the choices the last start had, its unit the
// View menu's while none was remembered, and remembers the new ones when it
// starts (a unit other than the View menu's).
TEST_F(ExportCommandsTest, SaveMp4WritesAnH264FilmWithTheChosenOverlaysAndRemembersThem) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  const int frames = CurrentFrameCount();
  const fs::path out = Out();
  CAppSetting::Mp4Choices last = settings_->Mp4();
  last.overlays = "speed,route";
  last.quality = "small";
  last.units.clear();
  settings_->SetMp4(last);
  settings_->SetSpeedUnit("mph");
  ASSERT_TRUE(RunDialog<CDlgSaveMp4>(kIdToolSaveMp4, [&](CDlgSaveMp4& dialog) {
    EXPECT_FALSE(dialog.OverlayBox(0)->isChecked());
    EXPECT_TRUE(dialog.OverlayBox(1)->isChecked());
    EXPECT_TRUE(dialog.OverlayBox(4)->isChecked());
    EXPECT_EQ(dialog.QualityList()->currentIndex(), 2);
    EXPECT_EQ(dialog.UnitList()->currentText(), "mph") << "the View menu's unit";
    EXPECT_FALSE(dialog.EndTime()->isEnabled()) << "an event recording goes out whole";
    dialog.FolderField()->setText(QString::fromStdString(out.string()));
    dialog.NameField()->setText("drive");
    dialog.OverlayBox(0)->setChecked(true);
    dialog.UnitList()->setCurrentIndex(0);
    dialog.GpxBox()->setChecked(true);
    dialog.StartButton()->click();
    EXPECT_TRUE(WaitUntilSaved(dialog));
    EXPECT_EQ(dialog.Job().Frames(), frames);
    dialog.reject();
  }));
  EXPECT_EQ(LastText(), "MP4 OK");
  EXPECT_EQ(settings_->Mp4().folder, out.string());
  EXPECT_EQ(settings_->Mp4().overlays, "caption,speed,route");
  EXPECT_EQ(settings_->Mp4().units, "kmh");
  EXPECT_TRUE(settings_->Mp4().gpx);
  EXPECT_TRUE(fs::exists(out / "drive.gpx"));
  const nlohmann::json probe = ProbeAvi(out / "drive.mp4");
  ASSERT_FALSE(probe.is_null());
  EXPECT_EQ(probe["streams"][0]["codec_name"], "h264");
  EXPECT_EQ(std::stoi(probe["streams"][0]["nb_read_packets"].get<std::string>()), frames);
}

TEST_F(ExportCommandsTest, SaveAviOfANormalRecordingRefusesAnEndBeforeTheStart) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kNormal, 1);
  const fs::path out = Out();
  ASSERT_TRUE(RunDialog<CDlgSaveAVI>(kIdSaveAvi, [&](CDlgSaveAVI& dialog) {
    EXPECT_FALSE(dialog.StartDate()->isEnabled());
    EXPECT_TRUE(dialog.EndDate()->isEnabled());
    const QString proposed = dialog.NameField()->text();
    dialog.FolderField()->setText(QString::fromStdString(out.string()));
    dialog.EndDate()->setDate(dialog.StartDate()->date().addDays(-1));
    // A new end re-proposes the name from the start.
    EXPECT_EQ(dialog.NameField()->text(), proposed);
    dialog.StartButton()->click();
    EXPECT_EQ(LastText(), "Invalid avi range.");
    EXPECT_FALSE(dialog.Saving());
    dialog.CloseButton()->click();
  }));
  EXPECT_TRUE(FilesIn(out, ".avi").empty());
}

TEST_F(ExportCommandsTest, RunGoogleEarthWritesAWellFormedKmlOfTheLoadedLogs) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kLog, 2);
  const fs::path out = Out();
  std::string path;
  ASSERT_TRUE(RunDialog<CDlgExportKxLog>(kIdGoogleEarth, [&](CDlgExportKxLog& dialog) {
    EXPECT_EQ(dialog.NameField()->text().left(3), "KX_");
    dialog.RunBox()->setChecked(false);
    dialog.FolderField()->setText(QString::fromStdString(out.string()));
    dialog.StartButton()->click();
    EXPECT_TRUE(WaitUntilSaved(dialog));
    path = dialog.Job().OutputPath();
    dialog.CloseButton()->click();
  }));
  EXPECT_EQ(LastText(), "Save log file OK.");
  EXPECT_EQ(settings_->SaveLogFolder(), out.string());
  EXPECT_EQ(settings_->Kml().runGoogleEarth, 0);
  ASSERT_TRUE(fs::exists(path));
  EXPECT_EQ(RunShell("xmllint --noout " + ShellQuote(path) + " 2>&1").exitStatus, 0);
}

}  // namespace

namespace {

int LinesIn(const fs::path& file) {
  std::ifstream in(file);
  return static_cast<int>(std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n'));
}

TEST_F(ExportCommandsTest, GpxAndCsvFromTheToolMenuWriteWhatIsLoadedAfterOnePlainFileQuestion) {
  ASSERT_TRUE(OpenCard());
  QMenu* tool = Panel().BuildMenu(4);
  std::vector<int> order;
  for (QAction* action : tool->actions()) order.push_back(action->data().toInt());
  const auto at = [&](int id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
  EXPECT_LT(at(kIdToolConvertKml), at(kIdToolExportGpx));
  EXPECT_EQ(at(kIdToolExportGpx) + 1, at(kIdToolExportCsv));
  EXPECT_LT(at(kIdToolExportCsv), static_cast<std::ptrdiff_t>(order.size()));

  // Nothing loaded: the message, and no file picker.
  Panel().OnCommand(kIdToolExportGpx);
  EXPECT_EQ(LastText(), "No Event is loaded");
  EXPECT_TRUE(prompt_.PickerTitles().empty());

  const fs::path out = Out();
  LoadFirst(FileListKind::kEvent, 2);
  prompt_.QueueSaveFile((out / "drive.gpx").string());
  Panel().OnCommand(kIdToolExportGpx);
  EXPECT_EQ(LastText(), "Save track OK.");
  // The tracks keep a folder of their own; the KML export's stays.
  EXPECT_EQ(settings_->SaveTrackFolder(), out.string());
  EXPECT_NE(settings_->SaveLogFolder(), out.string());
  const fs::path schema = fs::path(KORVANE_SOURCE_DIR) / "tests/data/gpx-1.1.xsd";
  EXPECT_EQ(RunShell("xmllint --noout --schema " + ShellQuote(schema.string()) + " " +
                     ShellQuote((out / "drive.gpx").string()) + " 2>&1")
                .exitStatus,
            0);
  int frames = 0;
  for (const auto& video : frame_->Store().Videos()) frames += video->FrameCount();
  {
    // The progress box is titled after its format.
    CDlgExportTrack dialog(TrackFormat::kGpx, (out / "shot.gpx").string(), {}, -1, prompt_, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Export GPX");
    dialog.show();
    if (const char* shots = std::getenv("KORVANE_SHOT_DIR"))
      dialog.grab().save(QString::fromLocal8Bit(shots) + "/export-track-dialog.png");
  }

  prompt_.QueueSaveFile((out / "drive.csv").string());
  Panel().OnCommand(kIdToolExportCsv);
  EXPECT_EQ(LastText(), "Save track OK.");
  EXPECT_EQ(LinesIn(out / "drive.csv"), frames + 1) << "a header and a row per frame, fix or not";

  // The same file again: one question, and No keeps it as it was.
  const auto before = fs::last_write_time(out / "drive.csv");
  prompt_.QueueSaveFile((out / "drive.csv").string());
  prompt_.QueueAnswer(PromptAnswer::No);
  Panel().OnCommand(kIdToolExportCsv);
  EXPECT_EQ(LastText(), "Same file exists, Overwrite this file ?");
  EXPECT_EQ(fs::last_write_time(out / "drive.csv"), before);

  // A cancelled picker writes nothing and says nothing.
  const size_t boxes = prompt_.ShownBoxes().size();
  Panel().OnCommand(kIdToolExportCsv);
  EXPECT_EQ(prompt_.ShownBoxes().size(), boxes);
  EXPECT_EQ(FilesIn(out, ".csv").size(), 1u);
}

}  // namespace
