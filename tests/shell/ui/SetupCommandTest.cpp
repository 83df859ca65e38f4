// The Setup button and Tool -> Device Setting of the real window over a
// generated card: each model family gets its own dialog, a save from it
// reaches the card and the speed display, a new recording method deletes
// the videos and keeps the logs, and without a card the folder picker comes
// first.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "base/CommandIds.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"
#include "tools/ui/DlgSetting.h"

namespace main_window_test {
namespace {

using SetupCommandTest = MainWindowTest;

int FilesIn(const std::filesystem::path& folder) {
  std::error_code error;
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) count += entry.is_regular_file();
  return count;
}

// Runs act on the settings dialog once it is up; act ends it. A guard ends
// any box left open so that a failing test cannot hang.
bool RunSetup(CMainBackPanel& panel, int id, const std::function<void(CDlgSettingBase&)>& act) {
  auto opened = std::make_shared<bool>(false);
  QTimer::singleShot(0, [act, opened] {
    auto* dialog = qobject_cast<CDlgSettingBase*>(QApplication::activeModalWidget());
    if (!dialog) return;
    *opened = true;
    act(*dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, [] {
    if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->done(QDialog::Rejected);
  });
  guard.start(20000);
  EXPECT_TRUE(panel.OnCommand(id));
  // Without a dialog the watcher is still waiting; it must not meet the next one.
  QTest::qWait(1);
  return *opened;
}

TEST_F(SetupCommandTest, EachModelOpensItsFamilysDialogFromTheButton) {
  ASSERT_TRUE(OpenCard());
  const std::pair<int, const char*> models[] = {
      {0, "CDlgSetting"}, {3, "CDlgSetting"}, {5, "CDlgSetting15"}, {6, "CDlgSetting2"}, {9, "CDlgSetting3"}};
  for (const auto& [model, name] : models) {
    ASSERT_TRUE(settings_->SetCurrentModel(model));
    std::string shown;
    bool sliders = false;
    bool pulse = false;
    bool initOffered = false;
    QString title;
    CVxButton* button = Parts().Button(kIdSetup);
    ASSERT_NE(button, nullptr);
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<CDlgSettingBase*>(QApplication::activeModalWidget());
      if (!dialog) return;
      shown = dialog->metaObject()->className();
      title = dialog->windowTitle();
      sliders = dialog->Slider(SettingListId::kAxisX) != nullptr;
      pulse = dialog->ListBox(SettingListId::kPulseType) != nullptr;
      initOffered = !dialog->InitSdButton()->isHidden();
      if (const char* shots = std::getenv("KORVANE_SHOT_DIR"))
        dialog->grab().save(QString::fromLocal8Bit(shots) + "/" + QString::fromLatin1(name) + ".png");
      dialog->CancelButton()->click();
    });
    button->click();
    Reactivate();
    EXPECT_EQ(shown, name) << "model " << model;
    EXPECT_EQ(title, QStringLiteral("Setting"));
    EXPECT_EQ(sliders, model == 5 || model == 9) << "model " << model;
    EXPECT_EQ(pulse, model == 9) << "model " << model;
    EXPECT_TRUE(initOffered);
  }
  EXPECT_FALSE(std::filesystem::exists(Card() / "config/sdid.ini")) << "Cancel writes nothing";
}

TEST_F(SetupCommandTest, ASaveReachesTheCardAndTheSpeedDisplaysPulseType) {
  ASSERT_TRUE(OpenCard());
  ASSERT_TRUE(settings_->SetCurrentModel(9));
  ASSERT_EQ(frame_->Store().PulseType(), 0);
  SaveOutcome outcome = SaveOutcome::kStopped;
  const bool opened = RunSetup(Panel(), kIdToolSetting, [&](CDlgSettingBase& dialog) {
    dialog.ListBox(SettingListId::kPulseType)->setCurrentIndex(3);
    dialog.Slider(SettingListId::kAxisY)->setValue(4);
    dialog.OkButton()->click();
    outcome = dialog.LastSave().value_or(SaveOutcome::kStopped);
  });
  Reactivate();
  ASSERT_TRUE(opened);
  EXPECT_EQ(outcome, SaveOutcome::kSaved);
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Save current setting ?");
  const DeviceSettings written = ReadDeviceSettings(Card());
  EXPECT_EQ(written.carPulseType, 2);
  EXPECT_EQ(written.sen1y, "05,00,00,00,00");
  EXPECT_EQ(written.versionId, 3);
  EXPECT_EQ(frame_->Store().PulseType(), 2);
}

TEST_F(SetupCommandTest, TheListsAreRebuiltInTheDialogAsTheChoicesChange) {
  ASSERT_TRUE(OpenCard());
  ASSERT_TRUE(settings_->SetCurrentModel(4));
  RunSetup(Panel(), kIdSetup, [](CDlgSettingBase& dialog) {
    QComboBox* method = dialog.ListBox(SettingListId::kMethod);
    QComboBox* rate = dialog.ListBox(SettingListId::kFrameRate);
    QComboBox* events = dialog.ListBox(SettingListId::kEventTime);
    QComboBox* quality = dialog.ListBox(SettingListId::kQuality);
    ASSERT_TRUE(method && rate && events && quality);
    EXPECT_EQ(rate->count(), 3);
    EXPECT_EQ(rate->currentText(), QStringLiteral("30"));
    EXPECT_EQ(events->count(), 3);

    method->setCurrentIndex(0);
    EXPECT_EQ(rate->count(), 4);
    EXPECT_EQ(rate->itemText(0), QStringLiteral("1"));
    EXPECT_FALSE(events->isEnabled());
    EXPECT_EQ(dialog.ListBox(SettingListId::kEventRatio)->currentText(), QStringLiteral("0 : 100"));
    rate->setCurrentIndex(3);
    EXPECT_EQ(events->count(), 5);

    dialog.ListBox(SettingListId::kResolution)->setCurrentIndex(0);
    EXPECT_EQ(quality->itemData(0).toInt(), 10);
    EXPECT_EQ(quality->currentText(), QStringLiteral("High"));

    QCheckBox* simple = dialog.CheckBox(SettingCheck::kSimpleMode);
    simple->setChecked(!simple->isChecked());
    EXPECT_EQ(dialog.Slider(SettingListId::kLevel)->isEnabled(), simple->isChecked());
    EXPECT_EQ(dialog.Slider(SettingListId::kAxisZ)->isEnabled(), !simple->isChecked());
    dialog.CancelButton()->click();
  });
  EXPECT_EQ(ReadDeviceSettings(Card()).recingMode, 2) << "Cancel leaves the card as it was";
}

TEST_F(SetupCommandTest, ANewMethodDeletesTheVideosAndKeepsTheLogs) {
  ASSERT_TRUE(OpenCard());
  ASSERT_TRUE(settings_->SetCurrentModel(6));
  const int logs = FilesIn(Card() / "log");
  ASSERT_GT(logs, 0);
  ASSERT_GT(FilesIn(Card() / "ch1/event"), 0);
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_FALSE(frame_->Store().Videos().empty());
  prompt_.QueueAnswer(PromptAnswer::Ok);
  prompt_.QueueAnswer(PromptAnswer::No);
  prompt_.QueueAnswer(PromptAnswer::Yes);
  RunSetup(Panel(), kIdSetup, [](CDlgSettingBase& dialog) {
    dialog.ListBox(SettingListId::kMethod)->setCurrentIndex(2);
    dialog.OkButton()->click();
  });
  Reactivate();
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Record data will be deleted. continue anyway ?");
  EXPECT_EQ(FilesIn(Card() / "ch1/event"), 0);
  EXPECT_EQ(FilesIn(Card() / "ch1/normal"), 0);
  EXPECT_EQ(FilesIn(Card() / "log"), logs);
  EXPECT_EQ(ReadDeviceSettings(Card()).recingMode, 3);
  EXPECT_TRUE(frame_->Store().Videos().empty());
}

TEST_F(SetupCommandTest, WithoutACardTheFolderPickerComesFirstAndCancelOpensNothing) {
  bool opened = RunSetup(Panel(), kIdSetup, [](CDlgSettingBase&) {});
  EXPECT_FALSE(opened);
  EXPECT_EQ(prompt_.PickerTitles().size(), 1u);

  prompt_.QueueFolder(Card().string());
  opened = RunSetup(Panel(), kIdSetup, [](CDlgSettingBase& dialog) { dialog.CancelButton()->click(); });
  EXPECT_TRUE(opened);
  EXPECT_EQ(frame_->Store().Root(), Card().string());
}

TEST_F(SetupCommandTest, AnIdOutsideTheModelTableOpensNothing) {
  ASSERT_TRUE(OpenCard());
  ASSERT_TRUE(settings_->SetCurrentModel(7));
  EXPECT_FALSE(RunSetup(Panel(), kIdSetup, [](CDlgSettingBase&) {}));
}

}  // namespace
}  // namespace main_window_test
