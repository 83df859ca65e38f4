// The main window driven through its buttons, keys and mouse on a generated
// card: what a user does from opening the card to pulling it out.
#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "playback/ui/PaneLogInfo.h"
#include "playback/ui/PaneLogSearch.h"
#include "playback/ui/PaneVideo.h"
#include "playback/ui/WndPanePanel.h"
#include "shell/BackPanelLayout.h"
#include "shell/MainCommands.h"
#include "shell/ui/DlgVersion.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxListBox.h"
#include "skin/ui/VxSlideBar.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/GSensorControl.h"
#include "telemetry/ui/GSensorGraph.h"
#include "telemetry/ui/VxDigitDisplays.h"

namespace main_window_test {
namespace {

void Click(QWidget* widget, QPoint at = {}) {
  ASSERT_NE(widget, nullptr);
  QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, at.isNull() ? widget->rect().center() : at);
}

// The search window's children stay inside it in every state it shows.
void ExpectChildrenInside(const QWidget& window, const char* state) {
  for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isVisible()) continue;
    EXPECT_TRUE(window.rect().contains(child->geometry()))
        << state << ": " << child->metaObject()->className() << " " << child->geometry().x() << ","
        << child->geometry().y() << " " << child->width() << "x" << child->height() << " in " << window.width() << "x"
        << window.height();
  }
}

TEST_F(MainWindowTest, TheSearchWindowHoldsItsControlsInEveryState) {
  ASSERT_TRUE(OpenCard());
  ExpectChildrenInside(Search(), "lists");
  LoadFirst(FileListKind::kEvent, 2);
  ExpectChildrenInside(Search(), "loaded events");
  LoadFirst(FileListKind::kLog, 1);
  ExpectChildrenInside(Search(), "loaded log");
}

TEST_F(MainWindowTest, OpensTheCardLoadsEventsAndStepsWithTheKeys) {
  ASSERT_TRUE(OpenCard());
  EXPECT_EQ(Engine().List(FileListKind::kEvent).RowCount(), 3);
  EXPECT_TRUE(app_.hasLogs);
  EXPECT_FALSE(Parts().Button(kIdThumbView)->isEnabled());

  LoadFirst(FileListKind::kEvent, 2);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  EXPECT_TRUE(Search().IsShowingLoadedList());
  EXPECT_EQ(Search().LoadedRecordingsBox()->RowCount(), 2);
  EXPECT_TRUE(Engine().Control().Navigator().Panes().Pane(0).HasPicture());
  // Loading starts at the trigger, so both steps have room.
  const int start = CurrentFrame();
  ASSERT_GT(start, 0);

  Key(frame_.get(), Qt::Key_Right);
  EXPECT_EQ(CurrentFrame(), start + 1);
  Key(frame_.get(), Qt::Key_Left);
  Key(frame_.get(), Qt::Key_Left);
  EXPECT_EQ(CurrentFrame(), start - 1);
  Key(frame_.get(), Qt::Key_N, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(CurrentFrame(), start);

  // The second recording from the loaded list.
  CVxListBox* loaded = Search().LoadedRecordingsBox();
  QTest::mouseClick(loaded->viewport(), Qt::LeftButton, Qt::NoModifier,
                    loaded->visualItemRect(loaded->item(1)).center());
  EXPECT_EQ(frame_->Store().CurrentIndex(), 1);
}

TEST_F(MainWindowTest, PlayButtonsRunTheTimerAndThumbnailsFillTheGrid) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  Engine().GoTo(0, 0);
  ASSERT_EQ(CurrentFrame(), 0);

  Click(Parts().Button(kIdPlay));
  EXPECT_TRUE(Parts().Button(kIdPlay)->IsLatched());
  EXPECT_TRUE(WaitFor([&] { return CurrentFrame() >= 2; }));
  Click(Parts().Button(kIdPause));
  EXPECT_FALSE(Engine().Control().IsVideoTimerRunning());
  EXPECT_FALSE(Parts().Button(kIdPlay)->IsLatched());
  // Ctrl+F plays too; Ctrl+S stops.
  Key(frame_.get(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(Engine().Control().IsVideoTimerRunning());
  Key(frame_.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_FALSE(Engine().Control().IsVideoTimerRunning());

  Engine().GoTo(0, 10);
  ASSERT_TRUE(Parts().Button(kIdThumbView)->isEnabled());
  Click(Parts().Button(kIdThumbView));
  ASSERT_EQ(Engine().Control().Navigator().Layout(), kLayoutThumbnail);
  const PaneSet& panes = Engine().Control().Navigator().Panes();
  EXPECT_EQ(panes.Pane(0).frameIndex, 2);
  EXPECT_EQ(panes.Pane(15).frameIndex, 17);
  EXPECT_TRUE(Parts().Panes()->Pane(15)->isVisible());
  EXPECT_TRUE(Parts().Button(kIdSingleView)->isEnabled());
  Click(Parts().Button(kIdSingleView));
  EXPECT_EQ(Engine().Control().Navigator().Layout(), kLayoutSingle);
  EXPECT_FALSE(Parts().Panes()->Pane(15)->isVisible());
}

TEST_F(MainWindowTest, AClickInTheGraphSeeksAndZoomFollowsTheButtons) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  CGSensorGraph* plot = Parts().GSensorGraph()->Plot();
  ASSERT_GT(plot->width(), 20);

  QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, QPoint(2, plot->height() / 2));
  QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(2, plot->height() / 2));
  EXPECT_LE(CurrentFrame(), 1);
  QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, QPoint(plot->width() - 2, plot->height() / 2));
  QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(plot->width() - 2, plot->height() / 2));
  const int frames = frame_->Store().Videos()[0]->FrameCount();
  EXPECT_GE(CurrentFrame(), frames - 2);

  Click(Parts().Button(kIdZoomIn));
  EXPECT_EQ(Engine().VideoGraph().ZoomLevel(), 4);
  Click(Parts().Button(kIdZoomOut));
  Click(Parts().Button(kIdZoomOut));
  EXPECT_EQ(Engine().VideoGraph().ZoomLevel(), 2);
  EXPECT_FLOAT_EQ(Engine().LogGraph().Maximum(), 3.0f);
  Click(Parts().Button(kIdDefaultGraph));
  EXPECT_EQ(Engine().VideoGraph().ZoomLevel(), 3);
}

TEST_F(MainWindowTest, DraggingTheSlideBarSeeksInANormalRun) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kNormal, 2);
  ASSERT_EQ(app_.viewMode, kViewModeNormal);
  // With continuous play the bar spans the run of both minutes, in seconds.
  CVxSlideBar* bar = Parts().SlideBar();
  ASSERT_GE(bar->Maximum(), 100);
  ASSERT_EQ(CurrentFrame(), 0);

  const auto dragTo = [bar](int x) {
    const int y = bar->height() / 2;
    QTest::mousePress(bar, Qt::LeftButton, Qt::NoModifier, QPoint(5, y));
    QTest::mouseMove(bar, QPoint(x, y));
    QTest::mouseRelease(bar, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    QApplication::processEvents();
  };
  // A quarter in is half a minute into the first recording, at five frames a second.
  dragTo(bar->width() / 4);
  EXPECT_GT(bar->Position(), 20);
  EXPECT_GT(CurrentFrame(), 100);
  EXPECT_EQ(frame_->Store().CurrentIndex(), 0);
  // Three quarters in is the second recording's.
  dragTo(bar->width() * 3 / 4);
  EXPECT_EQ(frame_->Store().CurrentIndex(), 1);
  EXPECT_GT(CurrentFrame(), 100);
}

TEST_F(MainWindowTest, LogsShowTheLogLayoutAndTheSearchFindsRecords) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kLog, 1);
  ASSERT_EQ(app_.viewMode, kViewModeLog);
  CWndPanePanel* panes = Parts().Panes();
  EXPECT_EQ(panes->Layout(), kLayoutLog);
  EXPECT_TRUE(panes->LogSearchPane()->isVisible());
  EXPECT_TRUE(panes->LogInfoPane()->isVisible());
  EXPECT_TRUE(Parts().LogGraph()->isVisible());
  EXPECT_FALSE(Parts().Button(kIdThumbView)->isVisible());
  EXPECT_GT(Engine().LogGraph().PointCount(), 30);

  // Speed over 0 km/h finds the start of every run of moving records.
  Engine().SearchFields().speedChecked = true;
  Engine().SearchFields().speedText = "1";
  EXPECT_FALSE(Engine().SearchLog().empty());
  EXPECT_TRUE(Engine().ShowSearchResult(0));

  Key(frame_.get(), Qt::Key_Right);
  const int after = Engine().LogGraph().CurrentIndex();
  Key(frame_.get(), Qt::Key_Right);
  EXPECT_EQ(Engine().LogGraph().CurrentIndex(), after + 1);
}

TEST_F(MainWindowTest, ModelMxHRearrangesTheLowerDisplaysAndBack) {
  CDigitDisplayWidgets& digits = Parts().Digits();
  EXPECT_FALSE(digits.CarSignal()->isVisible());
  Panel().OnCommand(kIdToolModelMxH);
  EXPECT_EQ(settings_->GetCurrentModel(), 9);
  EXPECT_TRUE(Parts().IsMxHLayout());
  EXPECT_TRUE(digits.CarSignal()->isVisible());
  EXPECT_EQ(digits.GValue(1)->geometry(), QRect(30, 678, 63, 20));

  // The Tool menu shows the choice; MX-A from it puts the column back.
  QMenu* tool = Panel().BuildMenu(4);
  ASSERT_NE(tool, nullptr);
  Panel().OnCommand(kIdToolModelFirst);
  EXPECT_EQ(settings_->GetCurrentModel(), 0);
  EXPECT_FALSE(digits.CarSignal()->isVisible());
  EXPECT_EQ(digits.GValue(1)->geometry(), QRect(85, 650, 67, 20));
}

TEST_F(MainWindowTest, MenusFollowTheLoadedStateAndUnbuiltCommandsAreDisabled) {
  ASSERT_TRUE(OpenCard());
  auto findItem = [](QMenu* menu, int id) -> QAction* {
    for (QAction* action : menu->actions()) {
      if (action->data().toInt() == id) return action;
      if (action->menu())
        for (QAction* inner : action->menu()->actions())
          if (inner->data().toInt() == id) return inner;
    }
    return nullptr;
  };
  QMenu* file = Panel().BuildMenu(0);
  ASSERT_NE(findItem(file, kIdFileLoadLog), nullptr);
  EXPECT_FALSE(findItem(file, kIdFileList)->isEnabled());
  // Print says what is missing instead of being disabled.
  ASSERT_NE(findItem(file, kIdFilePrint), nullptr);
  EXPECT_TRUE(findItem(file, kIdFilePrint)->isEnabled());
  EXPECT_TRUE(Parts().Button(kIdPrintImage)->isEnabled());
  EXPECT_TRUE(Parts().Button(kIdSetup)->isEnabled());
  QAction* setting = findItem(Panel().BuildMenu(4), kIdToolSetting);
  ASSERT_NE(setting, nullptr);
  EXPECT_TRUE(setting->isEnabled());

  LoadFirst(FileListKind::kEvent, 1);
  file = Panel().BuildMenu(0);
  EXPECT_TRUE(findItem(file, kIdFileList)->isEnabled());
  // Display File List closes what is loaded and brings the lists back.
  Panel().OnCommand(kIdFileList);
  EXPECT_EQ(app_.viewMode, kViewModeNone);
  EXPECT_FALSE(Search().IsShowingLoadedList());
}

TEST_F(MainWindowTest, TheVersionBoxShowsTheCardsRecorderVersion) {
  ASSERT_TRUE(OpenCard());
  QString recorderLine;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<CDlgVersion*>(QApplication::activeModalWidget());
    if (!box) return;
    recorderLine = box->RecorderLine()->text();
    box->accept();
  });
  Panel().OnCommand(kIdHelpVersion);
  EXPECT_TRUE(recorderLine.endsWith(QString::fromStdString(card_.version))) << recorderLine.toStdString();
  EXPECT_TRUE(recorderLine.startsWith(QStringLiteral("Recoder Version : ")));
}

TEST_F(MainWindowTest, SpeedSourceItemsStoreTheChoice) {
  Panel().OnCommand(kIdToolSpeedPulse);
  EXPECT_EQ(settings_->GetDisplaySpeed(), 1);
  EXPECT_EQ(Engine().CurrentSpeedSource().displaySpeed, 1);
  Panel().OnCommand(kIdSpeedMenuGps);
  EXPECT_EQ(settings_->GetDisplaySpeed(), 0);
}

// View -> Speed Unit stores the unit, ticks it, and the frame on show is
// drawn in it at once; km/h gives back the very same picture.
TEST_F(MainWindowTest, SpeedUnitItemsStoreTheChoiceAndTheShownSpeedFollows) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  for (int step = 0;
       step < 200 && !(Engine().Control().SnapshotGps().valid && Engine().Control().SnapshotGps().speed >= 10); ++step)
    Key(frame_.get(), Qt::Key_Right);
  ASSERT_GE(Engine().Control().SnapshotGps().speed, 10) << "the recording drives somewhere";
  CVxDigitSpeed* speed = Parts().Digits().Speed();
  const QImage inKmh = speed->grab().toImage();
  const QRect unitLabel(kSpeedUnitLabel.left, kSpeedUnitLabel.top, kSpeedUnitLabel.Width(), kSpeedUnitLabel.Height());
  const QImage kmhLabel = Panel().grab(unitLabel).toImage();

  Panel().OnCommand(kIdViewSpeedMph);
  EXPECT_EQ(settings_->GetSpeedUnit(), "mph");
  EXPECT_EQ(Engine().CurrentSpeedSource().unit, SpeedUnit::kMph);
  QMenu* view = Panel().BuildMenu(2);
  ASSERT_NE(view, nullptr);
  bool mphTicked = false;
  for (QAction* action : view->actions())
    if (action->menu())
      for (QAction* item : action->menu()->actions())
        if (item->data().toInt() == kIdViewSpeedMph) mphTicked = item->isChecked();
  EXPECT_TRUE(mphTicked);
  EXPECT_NE(speed->grab().toImage(), inKmh);
  EXPECT_NE(Panel().grab(unitLabel).toImage(), kmhLabel) << "the unit under the caption says mph";

  Panel().OnCommand(kIdViewSpeedKmh);
  EXPECT_EQ(settings_->GetSpeedUnit(), "kmh");
  EXPECT_EQ(speed->grab().toImage(), inKmh);
  EXPECT_EQ(Panel().grab(unitLabel).toImage(), kmhLabel);
}

TEST_F(MainWindowTest, PullingTheCardClearsTheStoreAndSaysSo) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  const size_t boxes = prompt_.ShownBoxes().size();

  WriteMountTable(false);
  frame_->Media().Rescan();
  ASSERT_EQ(prompt_.ShownBoxes().size(), boxes + 1);
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "Media has been removed.");
  EXPECT_TRUE(frame_->Store().Root().empty());
  EXPECT_EQ(Engine().List(FileListKind::kEvent).RowCount(), 0);
  EXPECT_EQ(app_.viewMode, kViewModeNone);
  EXPECT_FALSE(Engine().Control().Navigator().Panes().Pane(0).HasPicture());
}

TEST_F(MainWindowTest, RemovingAnotherMediumChangesNothing) {
  ASSERT_TRUE(OpenCard());
  WriteMountTable(true);
  {
    std::ofstream table(dir_ / "mountinfo", std::ios::app);
    table << "91 22 8:33 / /media/other rw - vfat /dev/sdc1 rw\n";
  }
  frame_->Media().Rescan();
  WriteMountTable(true);
  const size_t boxes = prompt_.ShownBoxes().size();
  frame_->Media().Rescan();
  EXPECT_EQ(prompt_.ShownBoxes().size(), boxes);
  EXPECT_FALSE(frame_->Store().Root().empty());
  EXPECT_EQ(Engine().List(FileListKind::kEvent).RowCount(), 3);
}

}  // namespace
}  // namespace main_window_test
