// The backup dialog over generated cards: a backup run through its Start
// button, the checks before it, the end with OK only after "Backup OK", a
// No that stops without a word, and a Cancel that leaves no partial file.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <filesystem>
#include <functional>
#include <set>

#include "base/AppSetting.h"
#include "platform/ScriptedPrompt.h"
#include "playback/ui/SearchUiSupport.h"
#include "samplecard/SampleCard.h"
#include "skin/ui/VxListBox.h"
#include "support/TempDir.h"
#include "tools/ui/DlgBackup.h"

namespace {

namespace fs = std::filesystem;
using search_ui_test::ModalProbe;
using search_ui_test::ModalWatchdog;
using search_ui_test::SmallCard;

constexpr int kRunMs = 20000;

// Lets the event loop run until the dialog's worker has ended.
bool WaitUntilIdle(const CDlgBackup& dialog) {
  QElapsedTimer clock;
  clock.start();
  while (dialog.Copying() && clock.elapsed() < kRunMs) QApplication::processEvents(QEventLoop::AllEvents, 20);
  QApplication::processEvents();
  return !dialog.Copying();
}

std::set<std::string> Entries(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

class DlgBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(WriteSampleCard(card_, SmallCard(2, 1, 1), &written_, &error)) << error;
    fs::create_directories(target_);
    setting_.SetBackupFolder(target_.string());
  }

  BackupSelection EventsAndLog() const {
    return BackupSelectionFromPaths({written_.videos[0].dataPath.string(), written_.videos[1].dataPath.string()}, {},
                                    {written_.logs[0].path.string()});
  }

  // Runs the dialog; act is called once it is up, and the dialog's result returned.
  int Run(CDlgBackup& dialog, const std::function<void(CDlgBackup&)>& act) {
    ModalWatchdog watchdog(QDialog::Rejected);
    ModalProbe<CDlgBackup> probe(act);
    return dialog.exec();
  }

  // The first line of each box: the overwrite question names its file below.
  std::vector<std::string> ShownTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : prompt_.ShownBoxes()) texts.push_back(box.text.substr(0, box.text.find('\n')));
    return texts;
  }

  TempDir dir_;
  fs::path card_ = dir_ / "card";
  fs::path target_ = dir_ / "target";
  SampleCard written_;
  CAppSetting setting_{AppSettingFolders{dir_ / "settings", dir_ / "documents", dir_ / "data", dir_ / "start"}};
  ScriptedPrompt prompt_;
};

TEST_F(DlgBackupTest, StartCopiesTheChosenRecordingsAndTheBoxEndsWithOkAfterBackupOk) {
  CDlgBackup dialog(card_, EventsAndLog(), false, setting_, prompt_, nullptr);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Backup"));
  EXPECT_EQ(dialog.EventList()->RowCount(), 2);
  EXPECT_EQ(dialog.LogList()->RowText(0).toStdString(), written_.logs[0].path.stem().string());
  EXPECT_EQ(dialog.FolderField()->text().toStdString(), target_.string());
  EXPECT_TRUE(dialog.SizeLabel()->text().startsWith(QStringLiteral("Backup Data Size : ")));
  EXPECT_FALSE(dialog.CancelButton()->isEnabled());

  bool cancelWhileCopying = false;
  bool closeWhileCopying = true;
  int overallRange = 0;
  const fs::path chosen = dir_ / "chosen";
  fs::create_directories(chosen);
  const int result = Run(dialog, [&](CDlgBackup& shown) {
    shown.FolderField()->setText(QString::fromStdString(chosen.string()));
    shown.StartButton()->click();
    cancelWhileCopying = shown.CancelButton()->isEnabled();
    closeWhileCopying = shown.CloseButton()->isEnabled();
    ASSERT_TRUE(WaitUntilIdle(shown));
    overallRange = shown.OverallBar()->maximum();
  });

  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(setting_.BackupFolder(), chosen.string());  // kept however the box ends
  EXPECT_TRUE(cancelWhileCopying);
  EXPECT_FALSE(closeWhileCopying);
  EXPECT_EQ(overallRange, 5);  // two files for each event, one for the log
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Backup OK"});
  EXPECT_EQ(prompt_.ShownBoxes()[0].caption, "Backup");
  for (int k = 0; k < 2; ++k) {
    const SampleVideo& video = written_.videos[static_cast<size_t>(k)];
    EXPECT_TRUE(TempDir::Read(chosen / "CH1/event" / video.dataPath.filename()) == TempDir::Read(video.dataPath));
  }
  EXPECT_TRUE(TempDir::Read(chosen / "log" / written_.logs[0].path.filename()) == TempDir::Read(written_.logs[0].path));
  EXPECT_TRUE(fs::exists(chosen / "config/set.ini"));
}

TEST_F(DlgBackupTest, AFileThatCouldNotBeCopiedIsNamedAndTheBoxStaysUntilClose) {
  BackupSelection selection = EventsAndLog();
  selection.logs.push_back("19990101_000000");
  CDlgBackup dialog(card_, selection, false, setting_, prompt_, nullptr);
  bool visibleAfterRun = false;
  bool startEnabledAfterRun = false;
  const int result = Run(dialog, [&](CDlgBackup& shown) {
    shown.FolderField()->setText(QString::fromStdString(target_.string()));
    shown.StartButton()->click();
    ASSERT_TRUE(WaitUntilIdle(shown));
    visibleAfterRun = shown.isVisible();
    startEnabledAfterRun = shown.StartButton()->isEnabled();
    shown.FolderField()->setText(QStringLiteral("/kept/for/next/time"));
    shown.CloseButton()->click();
  });

  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_TRUE(visibleAfterRun);
  EXPECT_TRUE(startEnabledAfterRun);
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Backup finished, but 1 file(s) could not be copied"});
  EXPECT_EQ(setting_.BackupFolder(), "/kept/for/next/time");
}

TEST_F(DlgBackupTest, StartIsRefusedWithoutSelectionOrWithAMissingFolder) {
  CDlgBackup empty(card_, {}, false, setting_, prompt_, nullptr);
  empty.StartButton()->click();
  empty.FolderField()->setText(QString::fromStdString((dir_ / "nowhere").string()));
  empty.BackupAllBox()->setChecked(true);
  empty.StartButton()->click();
  EXPECT_FALSE(empty.Copying());
  EXPECT_EQ(ShownTexts(),
            (std::vector<std::string>{"No selected Event/Log", "Folder does not exist, Please select folder again."}));
  EXPECT_TRUE(Entries(target_).empty());
}

TEST_F(DlgBackupTest, BackupAllDisablesTheListsAndShowsTheWholeCardsSize) {
  CDlgBackup dialog(card_, EventsAndLog(), false, setting_, prompt_, nullptr);
  BackupJob selected(card_);
  selected.Select(EventsAndLog());
  BackupJob whole(card_);
  whole.SelectAll();
  ASSERT_NE(selected.SizeBytes(), whole.SizeBytes());

  EXPECT_EQ(dialog.SizeLabel()->text().toStdString(), selected.SizeLabel());
  dialog.BackupAllBox()->setChecked(true);
  EXPECT_EQ(dialog.SizeLabel()->text().toStdString(), whole.SizeLabel());
  EXPECT_FALSE(dialog.EventList()->isEnabled());
  EXPECT_FALSE(dialog.LogList()->isEnabled());
  dialog.BackupAllBox()->setChecked(false);
  EXPECT_TRUE(dialog.NormalList()->isEnabled());
  EXPECT_EQ(dialog.SizeLabel()->text().toStdString(), selected.SizeLabel());
}

TEST_F(DlgBackupTest, WholeCardModeOpensTickedAndNoToTheQuestionStopsWithoutAWord) {
  const SampleVideo& first = written_.videos[0];
  dir_.Write("target/CH1/event/" + first.dataPath.filename().string(), "an older copy");
  prompt_.QueueAnswer(PromptAnswer::No);
  CDlgBackup dialog(card_, {}, true, setting_, prompt_, nullptr);
  EXPECT_TRUE(dialog.BackupAllBox()->isChecked());
  bool visibleAfterRun = false;
  const int result = Run(dialog, [&](CDlgBackup& shown) {
    shown.StartButton()->click();
    ASSERT_TRUE(WaitUntilIdle(shown));
    visibleAfterRun = shown.isVisible();
    shown.CloseButton()->click();
  });

  EXPECT_EQ(result, QDialog::Rejected);
  EXPECT_TRUE(visibleAfterRun);
  EXPECT_EQ(ShownTexts(), std::vector<std::string>{"Same file exists, Overwrite this file ?"});
  EXPECT_EQ(TempDir::Read(target_ / "CH1/event" / first.dataPath.filename()), "an older copy");
}

// Presses the dialog's Cancel while the overwrite question is up, then
// answers Yes: the file asked about is the one being copied when the cancel
// arrives.
class CancellingPrompt final : public Prompt {
 public:
  PromptAnswer Show(const std::string& text, const std::string&, PromptButtons) override {
    texts.push_back(text.substr(0, text.find('\n')));
    if (dialog && dialog->CancelButton()->isEnabled()) dialog->CancelButton()->click();
    return PromptAnswer::Yes;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

  CDlgBackup* dialog = nullptr;
  std::vector<std::string> texts;
};

TEST_F(DlgBackupTest, CancelAbandonsTheCurrentFileAndLeavesNoPartialFile) {
  const SampleVideo& first = written_.videos[0];
  const fs::path existing = target_ / "CH1/event" / first.dataPath.filename();
  dir_.Write("target/CH1/event/" + first.dataPath.filename().string(), "the earlier complete copy");
  CancellingPrompt prompt;
  CDlgBackup dialog(card_, EventsAndLog(), false, setting_, prompt, nullptr);
  prompt.dialog = &dialog;
  bool visibleAfterRun = false;
  Run(dialog, [&](CDlgBackup& shown) {
    shown.StartButton()->click();
    ASSERT_TRUE(WaitUntilIdle(shown));
    visibleAfterRun = shown.isVisible();
    EXPECT_TRUE(shown.StartButton()->isEnabled());
    EXPECT_FALSE(shown.CancelButton()->isEnabled());
    shown.CloseButton()->click();
  });

  EXPECT_TRUE(visibleAfterRun);
  EXPECT_EQ(prompt.texts, (std::vector<std::string>{"Same file exists, Overwrite this file ?", "Backup Cancel"}));
  EXPECT_EQ(TempDir::Read(existing), "the earlier complete copy");
  // Neither a temporary file nor any recording after the cancelled one.
  EXPECT_EQ(Entries(target_ / "CH1/event"), std::set<std::string>{first.dataPath.filename().string()});
  EXPECT_TRUE(Entries(target_ / "log").empty());
}

}  // namespace
