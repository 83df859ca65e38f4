// The KML dialog over logs loaded in the real window: the check boxes
// switch their fields and Start, a bad field is refused with its message,
// Close keeps only valid values, and a finished file goes to the desktop's
// viewer only when the box asks for it.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "export/KmlColors.h"
#include "export/ui/ColorComboEx.h"
#include "export/ui/DlgExportKxLog.h"
#include "platform/DesktopOpener.h"
#include "shell/ui/MainWindowFixture.h"

namespace {

namespace fs = std::filesystem;
using main_window_test::MainWindowTest;

class RecordingOpener final : public DesktopOpener {
 public:
  bool OpenFile(const fs::path& file) override {
    files.push_back(file);
    return true;
  }
  bool OpenUrl(const std::string&) override { return false; }
  std::vector<fs::path> files;
};

class DlgExportKxLogTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(OpenCard());
    LoadFirst(FileListKind::kLog, 2);
    for (const auto& log : frame_->Store().Logs()) logs_.push_back(log.get());
    ASSERT_EQ(logs_.size(), 2u);
    fs::create_directories(out_);
  }

  std::unique_ptr<CDlgExportKxLog> Open() {
    auto dialog = std::make_unique<CDlgExportKxLog>(logs_, &Engine().LogGraph(), *settings_, prompt_, opener_, nullptr);
    dialog->FolderField()->setText(QString::fromStdString(out_.string()));
    dialog->show();
    return dialog;
  }

  std::string LastText() const { return prompt_.ShownBoxes().empty() ? "" : prompt_.ShownBoxes().back().text; }

  std::vector<const CInfoLogFile*> logs_;
  RecordingOpener opener_;
  fs::path out_ = dir_ / "kml";
};

TEST_F(DlgExportKxLogTest, CheckBoxesSwitchTheirFieldsAndStart) {
  auto dialog = Open();
  if (const char* shots = std::getenv("KORVANE_SHOT_DIR"))
    dialog->grab().save(QString::fromLocal8Bit(shots) + "/export-kml-dialog.png");
  EXPECT_TRUE(dialog->IntervalField()->isEnabled());
  EXPECT_TRUE(dialog->WidthField()->isEnabled());
  EXPECT_FALSE(dialog->CancelButton()->isEnabled());
  dialog->PointerBox()->setChecked(false);
  EXPECT_FALSE(dialog->IntervalField()->isEnabled());
  EXPECT_TRUE(dialog->StartButton()->isEnabled());
  dialog->RouteBox()->setChecked(false);
  EXPECT_FALSE(dialog->WidthField()->isEnabled());
  EXPECT_FALSE(dialog->OpacityField()->isEnabled());
  EXPECT_FALSE(dialog->ColorList()->isEnabled());
  EXPECT_FALSE(dialog->StartButton()->isEnabled());
  dialog->RouteBox()->setChecked(true);
  EXPECT_TRUE(dialog->StartButton()->isEnabled());
  // The stored colour is selected; the list holds the sixteen colours.
  EXPECT_EQ(dialog->ColorList()->count(), static_cast<int>(kKmlLineColors.size()));
  EXPECT_EQ(dialog->ColorList()->currentData().toInt(), settings_->Kml().lineColor);
}

TEST_F(DlgExportKxLogTest, AFieldOutOfRangeIsRefusedAndCloseKeepsOnlyValidValues) {
  auto dialog = Open();
  dialog->WidthField()->setText("11");
  dialog->IntervalField()->setText("7");
  dialog->StartButton()->click();
  EXPECT_EQ(LastText(), "Invalid value.");
  EXPECT_EQ(dialog->focusWidget(), dialog->WidthField());
  EXPECT_FALSE(dialog->Saving());
  EXPECT_TRUE(std::filesystem::is_empty(out_));

  dialog->ColorList()->setCurrentIndex(9);  // red
  dialog->PointerBox()->setChecked(false);
  dialog->CloseButton()->click();
  EXPECT_EQ(settings_->Kml().pointer, 0);
  // The interval is kept only while point marks are on, the width only when valid.
  EXPECT_EQ(settings_->Kml().pointerInterval, 10);
  EXPECT_EQ(settings_->Kml().lineWidth, 5);
  EXPECT_EQ(settings_->Kml().lineColor, 0x0000FF);
}

TEST_F(DlgExportKxLogTest, TheFinishedFileGoesToTheViewerOnlyWhenTheBoxIsTicked) {
  auto dialog = Open();
  dialog->NameField()->setText("first");
  dialog->StartButton()->click();
  ASSERT_TRUE(WaitFor([&] { return !dialog->Saving(); }, 20000));
  EXPECT_EQ(LastText(), "Save log file OK.");
  ASSERT_EQ(opener_.files.size(), 1u);
  EXPECT_EQ(opener_.files[0], out_ / "first.kml");

  dialog->RunBox()->setChecked(false);
  dialog->NameField()->setText("second");
  dialog->StartButton()->click();
  ASSERT_TRUE(WaitFor([&] { return !dialog->Saving(); }, 20000));
  EXPECT_EQ(opener_.files.size(), 1u);
  EXPECT_TRUE(fs::exists(out_ / "second.kml"));

  // The same name again: No to the question leaves the file as it was.
  const auto before = fs::last_write_time(out_ / "second.kml");
  prompt_.QueueAnswer(PromptAnswer::No);
  dialog->StartButton()->click();
  EXPECT_EQ(LastText(), "Same file exists, Overwrite this file ?");
  EXPECT_FALSE(dialog->Saving());
  EXPECT_EQ(fs::last_write_time(out_ / "second.kml"), before);
}

}  // namespace
