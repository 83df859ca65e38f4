// The settings dialogs on their own over generated cards: the Init SD Card
// button only with a hook, the card ID refused with the focus on its field,
// the clock pickers following their box, and Data Delete reloading the
// dialog from the defaults it wrote back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimeEdit>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>

#include "base/AppSetting.h"
#include "platform/ScriptedPrompt.h"
#include "platform/Volumes.h"
#include "playback/ui/SearchUiSupport.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"
#include "tools/ui/DlgInitData.h"
#include "tools/ui/DlgSetting.h"

namespace {

namespace fs = std::filesystem;
using search_ui_test::ModalWatchdog;
using search_ui_test::SmallCard;

class DlgSettingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card_, SmallCard(1, 1, 1), nullptr, &error)) << error;
    dir_.Write("card/config/set.ini", "[SET]\nRECINGMODE1=1\nPOSTRECINT1=5\nCARPULSETYPE=4\n");
    dir_.Write("card/config/sdid.ini", "\xEF\xBB\xBFsdid=  FLEET-07 ");
    AppSettingFolders folders;
    folders.settingsBase = dir_ / "settings";
    folders.documents = dir_ / "documents";
    settings_ = std::make_unique<CAppSetting>(folders);
  }

  DeviceSettingDialogContext Context() {
    return {card_, *settings_, prompt_, volumes_, [this] { ++released_; }, nullptr, hook_, [this] { return now_; }};
  }

  TempDir dir_;
  fs::path card_ = dir_ / "card";
  std::unique_ptr<CAppSetting> settings_;
  ScriptedPrompt prompt_;
  Volumes volumes_{dir_ / "no-mountinfo", dir_ / "no-sys", {}};
  std::function<fs::path()> hook_;
  int released_ = 0;
  RecorderClock now_{2025, 3, 9, 14, 5, 30};
};

TEST_F(DlgSettingTest, TheDialogShowsTheCardAsLoaded) {
  CDlgSetting3 dialog(Context(), nullptr);
  EXPECT_EQ(dialog.ListBox(SettingListId::kMethod)->currentText(), QStringLiteral("Normal"));
  EXPECT_EQ(dialog.ListBox(SettingListId::kFrameRate)->currentText(), QStringLiteral("5"));
  EXPECT_FALSE(dialog.ListBox(SettingListId::kEventTime)->isEnabled());
  EXPECT_EQ(dialog.ListBox(SettingListId::kPulseType)->currentText(), QStringLiteral("20 pulse"));
  EXPECT_EQ(dialog.SdIdField()->text(), QStringLiteral("FLEET-07"));
  EXPECT_FALSE(dialog.DateField()->isEnabled());
  EXPECT_EQ(dialog.DateField()->date(), QDate(2025, 3, 9));
  EXPECT_EQ(dialog.CheckBox(SettingCheck::kSdFormat), nullptr);
  EXPECT_NE(dialog.CheckBox(SettingCheck::kDetectAngle), nullptr);
  EXPECT_TRUE(dialog.InitSdButton()->isHidden());
  // Every list can be reached from its label's text by the keyboard.
  const auto labels = dialog.findChildren<QLabel*>();
  EXPECT_TRUE(std::any_of(labels.begin(), labels.end(),
                          [&](QLabel* label) { return label->buddy() == dialog.ListBox(SettingListId::kPulseType); }));
}

TEST_F(DlgSettingTest, TheInitButtonRunsTheHookAndTheDialogReadsTheCardAgain) {
  int ran = 0;
  hook_ = [this, &ran] {
    ++ran;
    dir_.Write("card/config/set.ini", "[SET]\nRECINGMODE1=2\nPOSTRECINT1=15\n");
    return fs::path();
  };
  CDlgSetting15 dialog(Context(), nullptr);
  EXPECT_FALSE(dialog.InitSdButton()->isHidden());
  dialog.InitSdButton()->click();
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(dialog.ListBox(SettingListId::kMethod)->currentText(), QStringLiteral("Event"));
  EXPECT_EQ(dialog.ListBox(SettingListId::kFrameRate)->currentText(), QStringLiteral("15"));
}

TEST_F(DlgSettingTest, ATooLongCardIdKeepsTheDialogOpenWithTheFocusOnIt) {
  CDlgSetting2 dialog(Context(), nullptr);
  dialog.show();
  dialog.SdIdField()->setFocus();
  dialog.SdIdField()->clear();
  QTest::keyClicks(dialog.SdIdField(), "ABCDEFGHIJK");
  dialog.CancelButton()->setFocus();
  dialog.OkButton()->click();
  EXPECT_EQ(dialog.LastSave(), SaveOutcome::kInvalidSdId);
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Invalid SD Card ID");
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.focusWidget(), dialog.SdIdField());
  EXPECT_EQ(ReadSdId(card_), "FLEET-07");
}

TEST_F(DlgSettingTest, ManualTimeEnablesThePickersAndTheirValueIsSaved) {
  dir_.Write("card/config/set.ini", "[SET]\nRECINGMODE1=2\n");
  CDlgSetting dialog(Context(), nullptr);
  ModalWatchdog watchdog(QDialog::Rejected);
  dialog.CheckBox(SettingCheck::kManualTime)->setChecked(true);
  EXPECT_TRUE(dialog.DateField()->isEnabled());
  EXPECT_TRUE(dialog.TimeField()->isEnabled());
  // Untouched, the pickers follow the clock.
  now_.minute = 6;
  now_.second = 1;
  EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.TimeField()->time() == QTime(14, 6, 1); }, 4 * kClockTickMs));
  dialog.DateField()->setDate(QDate(2026, 12, 24));
  dialog.TimeField()->setTime(QTime(18, 30, 15));
  dialog.OkButton()->click();
  ASSERT_EQ(dialog.LastSave(), SaveOutcome::kSaved);
  const auto clock = ReadRecorderClock(card_);
  ASSERT_TRUE(clock.has_value());
  EXPECT_EQ(clock->year, 2026);
  EXPECT_EQ(clock->second, 15);
  EXPECT_FALSE(fs::exists(card_ / "config/sdid.ini")) << "family A keeps no card ID";
}

TEST_F(DlgSettingTest, AClickOnASlidersTrackSetsTheLevelUnderThePointer) {
  CDlgSetting15 dialog(Context(), nullptr);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QSlider* slider = nullptr;
  for (SettingListId id : {SettingListId::kAxisX, SettingListId::kLevel})
    if (!slider && dialog.Slider(id) && dialog.Slider(id)->isEnabled()) slider = dialog.Slider(id);
  ASSERT_NE(slider, nullptr);
  const int span = slider->width() - 1;
  for (int level : {kLevelCount - 1, 0, 2}) {
    const QPoint at(level * span / (kLevelCount - 1), slider->height() / 2);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(std::clamp(at.x(), 2, span - 2), at.y()));
    EXPECT_EQ(slider->value(), level);
  }
}

TEST_F(DlgSettingTest, DataDeleteResetsTheConfigurationAndTheDialogShowsTheDefaults) {
  CDlgSetting3 dialog(Context(), nullptr);
  QTimer::singleShot(0, [] {
    auto* choose = qobject_cast<CDlgInitData*>(QApplication::activeModalWidget());
    if (!choose) return;
    EXPECT_EQ(choose->windowTitle(), QStringLiteral("Initialize Data"));
    choose->ConfigurationBox()->setChecked(true);
    choose->OkButton()->click();
  });
  ModalWatchdog watchdog(QDialog::Rejected);
  dialog.DataDeleteButton()->click();
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Config data deletion is completed.");
  EXPECT_EQ(dialog.ListBox(SettingListId::kMethod)->currentText(), QStringLiteral("Event"));
  EXPECT_EQ(dialog.ListBox(SettingListId::kPulseType)->currentText(), QStringLiteral("reset"));
  EXPECT_EQ(dialog.SdIdField()->text(), QString());
  EXPECT_EQ(ReadDeviceSettings(card_).carPulseType, -1);
  EXPECT_FALSE(fs::exists(card_ / "config/sdid.ini"));
  EXPECT_EQ(released_, 0) << "nothing was deleted from the recordings";
}

TEST_F(DlgSettingTest, DataDeleteOfRecordingsRunsTheDeleteStepWithBothKinds) {
  CDlgSetting15 dialog(Context(), nullptr);
  QTimer::singleShot(0, [] {
    auto* choose = qobject_cast<CDlgInitData*>(QApplication::activeModalWidget());
    if (!choose) return;
    choose->RecordingsBox()->setChecked(true);
    choose->OkButton()->click();
  });
  ModalWatchdog watchdog(QDialog::Rejected);
  dialog.DataDeleteButton()->click();
  EXPECT_EQ(released_, 1);
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Data deletion is completed.");
  EXPECT_TRUE(fs::is_empty(card_ / "ch1/event"));
  EXPECT_TRUE(fs::is_empty(card_ / "log"));
  EXPECT_TRUE(fs::exists(card_ / "config/set.ini"));
}

}  // namespace
