// The disk-check dialog on FAT image files made here, with the real
// fsck.fat: Start repairs a damaged image and the box ends with OK after
// "CheckDisk OK"; Cancel leaves the image as it was and the box waits with
// Start and Close enabled again.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <fstream>
#include <thread>

#include "platform/ScriptedPrompt.h"
#include "playback/ui/SearchUiSupport.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "tools/ui/DlgCheckDisk.h"

namespace {

namespace fs = std::filesystem;
using search_ui_test::ModalProbe;
using search_ui_test::ModalWatchdog;

constexpr int kWaitMs = 20000;

// The real runner, which holds fsck.fat's listing after its first entry
// until the dialog's Cancel has been pressed: the check is surely still
// running when the cancel arrives.
class HoldingRunner final : public ChildRunner {
 public:
  ChildResult Run(const ChildCommand& command, const ChildLineSink& onLine, const std::atomic<bool>* cancel) override {
    const bool check = command.argv.size() > 1 && command.argv[0] == "fsck.fat" && command.argv[1] == "-a";
    if (!check || !holdAtFirstEntry) return real_.Run(command, onLine, cancel);
    return real_.Run(
        command,
        [&](std::string_view line) {
          if (line.starts_with("Checking file ") && !held.exchange(true)) {
            QElapsedTimer clock;
            clock.start();
            while (cancel && !cancel->load() && clock.elapsed() < kWaitMs) {
              std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
          }
          if (onLine) onLine(line);
        },
        cancel);
  }

  bool holdAtFirstEntry = false;
  std::atomic<bool> held{false};

 private:
  SpawnChildRunner real_;
};

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < kWaitMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
  QApplication::processEvents();
  return done();
}

class DlgCheckDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string quoted = ShellQuote(image_.string());
    // Two FAT copies that differ (cluster 100 marked used in the first).
    ASSERT_EQ(RunShell("truncate -s 64M " + quoted + " && mkfs.fat -F 32 " + quoted +
                       " >/dev/null && printf '\\377\\377\\377\\017' | dd of=" + quoted +
                       " bs=1 seek=16784 conv=notrunc status=none")
                  .exitStatus,
              0);
    target_ = targets_.Resolve(image_);
    ASSERT_FALSE(target_.Refused());
  }

  int ReadOnlyCheck() const {
    return RunShell("fsck.fat -n " + ShellQuote(image_.string()) + " >/dev/null 2>&1").exitStatus;
  }

  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& box : prompt_.ShownBoxes()) texts.push_back(box.text);
    return texts;
  }

  TempDir dir_;
  fs::path image_ = dir_ / "card.img";
  Volumes volumes_{dir_ / "no-mountinfo", dir_ / "no-sys", {}};
  DiskCheckTargets targets_{volumes_, dir_ / "no-swaps"};
  DiskCheckTarget target_;
  HoldingRunner runner_;
  ScriptedPrompt prompt_;
};

TEST_F(DlgCheckDiskTest, StartRepairsTheImageAndTheBoxEndsWithOkAfterTheMessage) {
  CDlgCheckDisk dialog(target_, targets_, runner_, prompt_, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Check Disk"));
  EXPECT_EQ(dialog.DriveLabel()->text().toStdString(), "Drive : " + image_.string());
  EXPECT_EQ(dialog.StartButton()->text(), QStringLiteral("Start"));
  EXPECT_EQ(dialog.CancelButton()->text(), QStringLiteral("Cancel"));
  EXPECT_EQ(dialog.CloseButton()->text(), QStringLiteral("Close"));
  EXPECT_FALSE(dialog.CancelButton()->isEnabled());

  bool cancelWhileChecking = false;
  bool closeWhileChecking = true;
  ModalWatchdog watchdog(QDialog::Rejected);
  ModalProbe<CDlgCheckDisk> probe([&](CDlgCheckDisk& shown) {
    shown.StartButton()->click();
    cancelWhileChecking = shown.CancelButton()->isEnabled();
    closeWhileChecking = shown.CloseButton()->isEnabled();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_TRUE(cancelWhileChecking);
  EXPECT_FALSE(closeWhileChecking);
  EXPECT_EQ(Shown(), std::vector<std::string>{"CheckDisk OK"});
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Check Disk");
  EXPECT_EQ(dialog.ProgressBar()->value(), 100);
  EXPECT_EQ(ReadOnlyCheck(), 0);
}

TEST_F(DlgCheckDiskTest, CancelLeavesTheImageAsItWasAndTheBoxWaits) {
  // Enough entries that fsck.fat's listing outgrows the pipe: held at the
  // first one, the child cannot reach its end, where it would write.
  const fs::path many = dir_ / "MANY";
  fs::create_directories(many);
  for (int k = 0; k < 3000; ++k) std::ofstream(many / ("F" + std::to_string(k) + ".TXT"));
  ASSERT_EQ(RunShell("MTOOLS_SKIP_CHECK=1 mcopy -s -i " + ShellQuote(image_.string()) + " " +
                     ShellQuote(many.string()) + " ::/")
                .exitStatus,
            0);
  const std::string before = RunShell("sha256sum " + ShellQuote(image_.string())).out;
  runner_.holdAtFirstEntry = true;
  CDlgCheckDisk dialog(target_, targets_, runner_, prompt_, nullptr);
  bool visibleAfterRun = false;
  ModalWatchdog watchdog(QDialog::Rejected);
  ModalProbe<CDlgCheckDisk> probe([&](CDlgCheckDisk& shown) {
    shown.StartButton()->click();
    ASSERT_TRUE(WaitFor([&] { return runner_.held.load(); }));
    shown.CancelButton()->click();
    ASSERT_TRUE(WaitFor([&] { return !shown.Checking(); }));
    visibleAfterRun = shown.isVisible();
    EXPECT_TRUE(shown.StartButton()->isEnabled());
    EXPECT_TRUE(shown.CloseButton()->isEnabled());
    EXPECT_FALSE(shown.CancelButton()->isEnabled());
    EXPECT_EQ(shown.ProgressBar()->value(), 0);
    EXPECT_TRUE(shown.StatusLabel()->text().isEmpty());
    shown.CloseButton()->click();
  });
  EXPECT_EQ(dialog.exec(), QDialog::Rejected);
  EXPECT_TRUE(visibleAfterRun);
  EXPECT_EQ(Shown(), std::vector<std::string>{"CheckDisk Cancel"});
  EXPECT_EQ(RunShell("sha256sum " + ShellQuote(image_.string())).out, before);
  EXPECT_EQ(ReadOnlyCheck(), 1) << "the damage is still there";
}

}  // namespace
