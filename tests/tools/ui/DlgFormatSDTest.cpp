// The format dialog on image files with the real mkfs.fat: its texts and
// boxes, a quick format that ends with OK and clears the busy mark, a full
// format's Cancel that leaves the box waiting, the card-type question's
// "Other Type" closing it without a message; and SD Initialize's window
// flow through the dialog on an image "mounted" by a made-up table.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <cstdlib>
#include <thread>
#include <tuple>

#include "platform/ProfileFile.h"
#include "platform/ScriptedPrompt.h"
#include "playback/ui/SearchUiSupport.h"
#include "support/TempDir.h"
#include "tools/CardBusyMark.h"
#include "tools/FatImage.h"
#include "tools/ui/DlgFormatSD.h"
#include "tools/ui/DlgSelectSDType.h"
#include "tools/ui/SdInitLauncher.h"

namespace {

namespace fs = std::filesystem;
using search_ui_test::ModalProbe;
using search_ui_test::ModalWatchdog;

constexpr int kWaitMs = 20000;

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < kWaitMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
  QApplication::processEvents();
  return done();
}

// The real formatter, which notes the busy mark when it starts and can
// hold the zero pass at its first percent until Cancel is pressed.
class WatchedFormatter final : public CardFormatter {
 public:
  WatchedFormatter(const DiskCheckTargets& targets, const CardBusyMark& busy) : real_(runner_, targets), busy_(busy) {}

  FormatOutcome Format(const FormatRequest& request, const FormatProgress& progress,
                       const std::atomic<bool>& cancel) override {
    ++runs;
    busyWhileFormatting = busy_.IsBusy();
    return real_.Format(
        request,
        [&](int percent) {
          if (holdAtFirstPercent && percent > 0 && !held.exchange(true)) {
            QElapsedTimer clock;
            clock.start();
            while (!cancel.load() && clock.elapsed() < kWaitMs)
              std::this_thread::sleep_for(std::chrono::milliseconds(5));
          }
          if (progress) progress(percent);
        },
        cancel);
  }

  int runs = 0;
  bool busyWhileFormatting = false;
  bool holdAtFirstPercent = false;
  std::atomic<bool> held{false};

 private:
  SpawnChildRunner runner_;
  MkfsCardFormatter real_;
  const CardBusyMark& busy_;
};

class DlgFormatSDTest : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = SparseImage(dir_ / "card.img", "64M");
    target_ = targets_.Resolve(image_);
    ASSERT_FALSE(target_.Refused());
  }

  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& box : prompt_.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }

  TempDir dir_;
  fs::path image_;
  Volumes volumes_{dir_ / "no-mountinfo", dir_ / "no-sys", {}};
  DiskCheckTargets checks_{volumes_, dir_ / "no-swaps"};
  FormatTargets targets_{volumes_, checks_, dir_ / "no-labels"};
  FormatTarget target_;
  CardBusyMark busy_;
  WatchedFormatter formatter_{checks_, busy_};
  ScriptedPrompt prompt_;
};

TEST_F(DlgFormatSDTest, AQuickFormatEndsWithOkAndTheBusyMarkIsClearedAgain) {
  CDlgFormatSD dialog(target_, true, formatter_, prompt_, {}, nullptr, &busy_);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Format SD Card"));
  EXPECT_EQ(dialog.DriveLabel()->text().toStdString(), "Drive : " + image_.string());
  EXPECT_EQ(dialog.QuickBox()->text(), QStringLiteral("Quick Format"));
  EXPECT_EQ(dialog.BackupBox()->text(), QStringLiteral("Backup configuration file"));
  EXPECT_TRUE(dialog.BackupBox()->isChecked());
  EXPECT_TRUE(dialog.BackupBox()->isEnabled());
  EXPECT_FALSE(dialog.CancelButton()->isEnabled());
  EXPECT_NE(dialog.findChild<QLabel*>(), nullptr);

  bool cancelWhileQuick = true;
  ModalWatchdog watchdog(QDialog::Rejected);
  ModalProbe<CDlgFormatSD> probe([&](CDlgFormatSD& shown) {
    if (const char* shots = std::getenv("KORVANE_SHOT_DIR"))
      shown.grab().save(QString::fromLocal8Bit(shots) + "/format-sd.png");
    shown.QuickBox()->setChecked(true);
    shown.StartButton()->click();
    cancelWhileQuick = shown.CancelButton()->isEnabled();
    EXPECT_FALSE(shown.BackupBox()->isEnabled());
    EXPECT_FALSE(shown.CloseButton()->isEnabled());
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_FALSE(cancelWhileQuick) << "a quick format cannot be cancelled";
  EXPECT_TRUE(formatter_.busyWhileFormatting);
  EXPECT_FALSE(busy_.IsBusy());
  EXPECT_EQ(Shown(), std::vector<std::string>{"Format OK"});
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Format SD Card");
  EXPECT_TRUE(dialog.RestoreTicked());
  EXPECT_EQ(ReadFatImage(image_).label, "ZIDOVORI1");
}

TEST_F(DlgFormatSDTest, WithoutRestoreTheBackupBoxIsUntickedAndStaysDisabled) {
  CDlgFormatSD dialog(target_, false, formatter_, prompt_, {}, nullptr, &busy_);
  EXPECT_FALSE(dialog.BackupBox()->isChecked());
  EXPECT_FALSE(dialog.BackupBox()->isEnabled());
  dialog.BackupBox()->setChecked(true);
  EXPECT_FALSE(dialog.RestoreTicked()) << "a tick that got there anyway restores nothing";
}

TEST_F(DlgFormatSDTest, CancellingAFullFormatKeepsTheBoxOpenForAnotherTry) {
  formatter_.holdAtFirstPercent = true;
  CDlgFormatSD dialog(target_, true, formatter_, prompt_, {}, nullptr, &busy_);
  bool visibleAfterRun = false;
  ModalWatchdog watchdog(QDialog::Rejected);
  ModalProbe<CDlgFormatSD> probe([&](CDlgFormatSD& shown) {
    shown.QuickBox()->setChecked(false);
    shown.StartButton()->click();
    EXPECT_TRUE(shown.CancelButton()->isEnabled());
    ASSERT_TRUE(WaitFor([&] { return formatter_.held.load(); }));
    EXPECT_TRUE(busy_.IsBusy());
    shown.CancelButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !shown.Formatting(); }));
    visibleAfterRun = shown.isVisible();
    EXPECT_TRUE(shown.StartButton()->isEnabled());
    EXPECT_TRUE(shown.CloseButton()->isEnabled());
    EXPECT_TRUE(shown.BackupBox()->isEnabled());
    EXPECT_EQ(shown.ProgressBar()->value(), 0);
    EXPECT_TRUE(shown.StatusLabel()->text().isEmpty());
    shown.CloseButton()->click();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_TRUE(visibleAfterRun);
  EXPECT_EQ(Shown(), std::vector<std::string>{"Format Cancel"});
  EXPECT_FALSE(busy_.IsBusy());
  EXPECT_EQ(ReadFatImage(image_).label, "") << "no file system was made";
}

TEST_F(DlgFormatSDTest, OtherTypeForACardOfUnknownSizeClosesTheBoxWithoutAMessage) {
  target_.sizeBytes.reset();
  int asked = 0;
  CDlgFormatSD dialog(
      target_, true, formatter_, prompt_,
      [&asked] {
        ++asked;
        return CardTypeAnswer::kOther;
      },
      nullptr);
  ModalWatchdog watchdog(QDialog::Accepted);
  ModalProbe<CDlgFormatSD> probe([](CDlgFormatSD& shown) { shown.StartButton()->click(); });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(formatter_.runs, 0);
  EXPECT_TRUE(Shown().empty());
}

TEST_F(DlgFormatSDTest, SdInitializeRunsThroughTheFormatDialogOnAnImageStandingForACard) {
  const fs::path card = dir_ / "CARD";
  const fs::path documents = dir_ / "Documents";
  fs::create_directories(card);
  fs::create_directories(documents);
  fs::resize_file(image_, uint64_t{2} << 30);
  dir_.Write("CARD/config/set.ini", "[SET]\nOLDKEY=7\n[SDINFO]\nVERSIONID=1\n");
  const fs::path installer = dir_.Write("setup.exe", "stand-in");
  dir_.Write("mountinfo", "40 1 7:0 / " + card.string() + " rw - vfat " + image_.string() + " rw\n");
  const Volumes volumes(dir_ / "mountinfo", dir_ / "no-sys", {});
  const DiskCheckTargets checks(volumes, dir_ / "no-swaps");
  const FormatTargets targets(volumes, checks, dir_ / "no-labels");
  SystemCardDrives drives(volumes, targets);
  drives.AcceptImagesOnly();
  int released = 0;
  std::string taken;
  WindowSdInitPorts ports(
      drives, formatter_, prompt_, nullptr, [&released] { ++released; },
      [&taken](const std::string& root) { taken = root; });
  DefaultSettingsAfterFormat settings;
  prompt_.QueueFolder(card.string());
  ModalWatchdog watchdog(QDialog::Rejected);
  ModalProbe<CDlgFormatSD> probe([](CDlgFormatSD& shown) {
    EXPECT_TRUE(shown.BackupBox()->isChecked()) << "MX-E's family matches the card's";
    shown.QuickBox()->setChecked(true);
    shown.StartButton()->click();
  });
  EXPECT_EQ(InitSdCard({4, card, documents, installer}, prompt_, ports, settings), SdInitEnd::kDone);
  EXPECT_EQ(Shown().back(), "SD Card Init OK");
  EXPECT_EQ(released, 1);
  EXPECT_EQ(taken, card.string());
  EXPECT_TRUE(fs::is_directory(card / "CH1/normal"));
  EXPECT_EQ(ReadProfileInt(card / "config/set.ini", "SDINFO", "MODELID", -1), 4);
  EXPECT_TRUE(fs::is_empty(documents));
}

TEST(DlgSelectSDType, EachButtonAnswersItsTypeAndClosingAnswersOtherType) {
  CDlgSelectSDType dialog(nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Format SD Card"));
  EXPECT_EQ(dialog.findChild<QLabel*>()->text(), QStringLiteral("Select SD Card Type."));
  EXPECT_EQ(dialog.SdButton()->text(), QStringLiteral("SD"));
  EXPECT_EQ(dialog.SdhcButton()->text(), QStringLiteral("SDHC"));
  EXPECT_EQ(dialog.OtherButton()->text(), QStringLiteral("Other Type"));
  for (const auto& [button, answer, result] :
       {std::tuple{&CDlgSelectSDType::SdButton, CardTypeAnswer::kSd, QDialog::Accepted},
        std::tuple{&CDlgSelectSDType::SdhcButton, CardTypeAnswer::kSdhc, QDialog::Accepted},
        std::tuple{&CDlgSelectSDType::OtherButton, CardTypeAnswer::kOther, QDialog::Rejected}}) {
    CDlgSelectSDType asked(nullptr);
    ModalWatchdog watchdog(QDialog::Rejected);
    ModalProbe<CDlgSelectSDType> probe([button](CDlgSelectSDType& shown) { (shown.*button)()->click(); });
    EXPECT_EQ(asked.exec(), result);
    EXPECT_EQ(asked.Answer(), answer);
  }
  CDlgSelectSDType closed(nullptr);
  ModalProbe<CDlgSelectSDType> probe([](CDlgSelectSDType& shown) {
    shown.SdhcButton()->setFocus();
    shown.reject();
  });
  EXPECT_EQ(closed.exec(), QDialog::Rejected);
  EXPECT_EQ(closed.Answer(), CardTypeAnswer::kOther);
}

}  // namespace
