// The Qt loading dialog over real readers: it shows the file's caption,
// closes by itself once the reader ended with the bar at its end, and Cancel
// or Esc ask the reader to stop without closing the box before it ended.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <cstdlib>
#include <ctime>
#include <functional>

#include "base/MgrMultiLang.h"
#include "platform/ManualPorts.h"
#include "platform/ScriptedPrompt.h"
#include "playback/LoadingDialogModel.h"
#include "playback/ui/DlgLoading.h"
#include "playback/ui/SearchUiSupport.h"
#include "recording/MgrDBSearch.h"
#include "samplecard/SampleCard.h"
#include "support/TempDir.h"

namespace search_ui_test {
namespace {

class DlgLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
    savedLang_ = LangFilePath();
    SetLangFilePath("");
    std::string error;
    ASSERT_TRUE(WriteSampleCard(dir_ / "card", SmallCard(1, 0, 1), nullptr, &error)) << error;
    ASSERT_TRUE(store_.ChooseRoot((dir_ / "card").string()));
    store_.Scan();
    ASSERT_EQ(store_.Catalogue().log.size(), 1u);
    ASSERT_EQ(store_.Catalogue().event.size(), 1u);
    store_.Logs().push_back(std::make_unique<CInfoLogFile>());
    store_.Videos().push_back(std::make_unique<CInfoEventFile>());
  }
  void TearDown() override { SetLangFilePath(savedLang_); }

  // Runs the dialog with during() called once it is up; the dialog seen.
  LoadResult Run(LoadingDialogModel& model, const std::function<void(CDlgLoading&)>& during = {}) {
    ModalWatchdog watchdog(static_cast<int>(LoadResult::kFailed));
    ModalProbe<CDlgLoading> probe([&](CDlgLoading& dialog) {
      caption_ = dialog.windowTitle();
      cancelText_ = dialog.CancelButton()->text();
      if (!during) return;
      during(dialog);
      visibleAfterAction_ = dialog.isVisible();
    });
    QtLoadingDialogRunner runner(nullptr);
    return runner.Run(model);
  }

  TempDir dir_;
  std::string savedLang_;
  ScriptedPrompt prompt_;
  ManualUiQueue ui_;
  AppState app_;
  Volumes volumes_{dir_ / "mountinfo", dir_ / "sys", {}};
  CMgrDBSearch store_{prompt_, ui_, app_, volumes_};
  QString caption_;
  QString cancelText_;
  bool visibleAfterAction_ = false;
};

TEST_F(DlgLoadingTest, ALogLoadShowsItsCaptionAndEndsByItselfWithTheBarFull) {
  LoadingDialogModel model(store_, kLoadKindLog, 0, 1, store_.Catalogue().log[0]);
  EXPECT_EQ(Run(model), LoadResult::kLoaded);
  EXPECT_EQ(caption_, QStringLiteral("LOG File Loading  [ 1 / 1 ]"));
  EXPECT_EQ(cancelText_, QStringLiteral("Cancel"));
  EXPECT_GT(store_.Logs()[0]->RecordCount(), 0);

  // The reader's last report reaches the bar before the box closes.
  store_.Logs()[0]->Clear();
  CDlgLoading dialog(model, nullptr);
  EXPECT_EQ(dialog.RunLoad(), LoadResult::kLoaded);
  EXPECT_GT(dialog.ProgressBar()->maximum(), 0);
  EXPECT_EQ(dialog.ProgressBar()->value(), dialog.ProgressBar()->maximum());
}

TEST_F(DlgLoadingTest, AVideoLoadShowsTheBoxTooAndLoadsTheEntry) {
  LoadingDialogModel model(store_, kLoadKindEvent, 0, 3, store_.Catalogue().event[0]);
  EXPECT_EQ(Run(model), LoadResult::kLoaded);
  EXPECT_EQ(caption_, QStringLiteral("EVENT File Loading  [ 1 / 3 ]"));
  EXPECT_GT(store_.Videos()[0]->FrameCount(), 0);
}

TEST_F(DlgLoadingTest, CancelAndEscapeStopTheLoadAndTheBoxWaitsForTheReader) {
  LoadingDialogModel byButton(store_, kLoadKindLog, 0, 1, store_.Catalogue().log[0]);
  EXPECT_EQ(Run(byButton, [](CDlgLoading& dialog) { dialog.CancelButton()->click(); }), LoadResult::kCancelled);
  EXPECT_TRUE(visibleAfterAction_);
  // A cancelled log entry is released.
  EXPECT_EQ(store_.Logs()[0]->RecordCount(), 0);

  LoadingDialogModel byKey(store_, kLoadKindLog, 0, 1, store_.Catalogue().log[0]);
  EXPECT_EQ(Run(byKey,
                [](CDlgLoading& dialog) {
                  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                  QApplication::sendEvent(&dialog, &escape);
                }),
            LoadResult::kCancelled);
  EXPECT_TRUE(visibleAfterAction_);
}

TEST_F(DlgLoadingTest, AnEntryThatDoesNotExistFailsWithoutABox) {
  LoadingDialogModel model(store_, kLoadKindLog, 5, 6, store_.Catalogue().log[0]);
  EXPECT_EQ(Run(model), LoadResult::kFailed);
  EXPECT_TRUE(caption_.isEmpty());
}

}  // namespace
}  // namespace search_ui_test
