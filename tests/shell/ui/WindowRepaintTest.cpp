// What the window paints again when the data behind it changes: a panel
// that shows the frame, the folder or the speed source must be repainted
// where it draws, or the screen keeps showing what went before.
#include <QPaintEvent>
#include <QRegion>

#include "playback/ui/WndImgInfoPanel.h"
#include "playback/ui/WndPlayTimePanel.h"
#include "shell/BackPanelLayout.h"
#include "shell/MainCommands.h"
#include "shell/ui/MainWindowFixture.h"
#include "shell/ui/PlaySpeedLabel.h"
#include "skin/ui/VxButton.h"
#include "telemetry/ui/DigitDisplayWidgets.h"
#include "telemetry/ui/VxDigitDisplays.h"

namespace main_window_test {
namespace {

// Collects the regions a widget is asked to paint.
class PaintRecorder final : public QObject {
 public:
  explicit PaintRecorder(QWidget* widget) : widget_(widget) { widget_->installEventFilter(this); }
  ~PaintRecorder() override { widget_->removeEventFilter(this); }

  // What was painted since the last call; the pending updates are painted
  // first.
  QRegion Take() {
    QApplication::processEvents();
    QTest::qWait(20);
    const QRegion painted = painted_;
    painted_ = QRegion();
    return painted;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == widget_ && event->type() == QEvent::Paint) painted_ += static_cast<QPaintEvent*>(event)->region();
    return false;
  }

 private:
  QWidget* widget_;
  QRegion painted_;
};

using WindowRepaintTest = MainWindowTest;

TEST_F(WindowRepaintTest, TheInfoPanelsFollowEveryStepPlayAndLogRecord) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  auto* playTime = Panel().findChild<CWndPlayTimePanel*>();
  auto* imageInfo = Panel().findChild<CWndImgInfoPanel*>();
  ASSERT_NE(playTime, nullptr);
  ASSERT_NE(imageInfo, nullptr);
  PaintRecorder timePaints(playTime);
  PaintRecorder infoPaints(imageInfo);
  const auto bothRepainted = [&] { return !timePaints.Take().isEmpty() && !infoPaints.Take().isEmpty(); };
  timePaints.Take();
  infoPaints.Take();

  Key(frame_.get(), Qt::Key_Right);
  EXPECT_TRUE(bothRepainted()) << "step";
  Engine().GoTo(0, 0);
  EXPECT_TRUE(bothRepainted()) << "go to";
  Engine().Play();
  EXPECT_TRUE(WaitFor([&] { return CurrentFrame() > 1; }));
  Engine().Stop();
  EXPECT_TRUE(bothRepainted()) << "play";

  LoadFirst(FileListKind::kLog, 1);
  ASSERT_EQ(app_.viewMode, kViewModeLog);
  timePaints.Take();
  Engine().Next();
  EXPECT_FALSE(timePaints.Take().isEmpty()) << "log record";
}

TEST_F(WindowRepaintTest, TheSpeedInUseShowsBesideThePlayButtons) {
  auto* speed = Panel().findChild<CPlaySpeedLabel*>();
  ASSERT_NE(speed, nullptr);
  EXPECT_TRUE(speed->Text().isEmpty());
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  Engine().GoTo(0, 0);

  QTest::mouseClick(Parts().Button(kIdPlayFast), Qt::LeftButton);
  QTest::mouseClick(Parts().Button(kIdPlayFast), Qt::LeftButton);
  EXPECT_EQ(speed->Text(), QStringLiteral("\u00d74"));
  EXPECT_TRUE(speed->isVisible());
  // It stands clear of the play buttons and the date-time display.
  for (int id : {kIdBackFast, kIdPlay, kIdPlayFast})
    EXPECT_FALSE(speed->geometry().intersects(Parts().Button(id)->geometry())) << id;
  EXPECT_FALSE(speed->geometry().intersects(Parts().Digits().DateTime()->geometry()));
  PaintRecorder paints(speed);
  QTest::mouseClick(Parts().Button(kIdPlay), Qt::LeftButton);
  EXPECT_EQ(speed->Text(), QStringLiteral("\u00d71"));
  EXPECT_FALSE(paints.Take().isEmpty());
  QTest::mouseClick(Parts().Button(kIdPlay), Qt::LeftButton);
  EXPECT_EQ(speed->Text(), QStringLiteral("\u00d7\u00bd"));
  QTest::mouseClick(Parts().Button(kIdPause), Qt::LeftButton);
  EXPECT_TRUE(speed->Text().isEmpty());
}

TEST_F(WindowRepaintTest, TheTitleStripFollowsTheChosenFolder) {
  PaintRecorder paints(&Panel());
  const QRect title(0, 0, Panel().width(), kDragStripHeight);
  const auto titleRepainted = [&] { return paints.Take().intersects(title); };
  paints.Take();

  ASSERT_TRUE(OpenCard());
  EXPECT_TRUE(titleRepainted()) << "the first card";
  const std::filesystem::path second = dir_ / "second";
  std::filesystem::copy(Card(), second, std::filesystem::copy_options::recursive);
  ASSERT_TRUE(frame_->OpenFolder(QString::fromStdString(second.string())));
  Reactivate();
  EXPECT_TRUE(titleRepainted()) << "another card";
  std::filesystem::create_directories(dir_ / "empty");
  EXPECT_FALSE(frame_->OpenFolder(QString::fromStdString((dir_ / "empty").string())));
  Reactivate();
  EXPECT_TRUE(frame_->Store().Root().empty());
  EXPECT_TRUE(titleRepainted()) << "a refused folder";

  ASSERT_TRUE(OpenCard());
  WriteMountTable(false);
  frame_->Media().Rescan();
  paints.Take();
  WriteMountTable(true);
  ASSERT_TRUE(OpenCard());
  EXPECT_TRUE(titleRepainted()) << "the card put back and opened again";
}

// The caption and indicator beside the speed read-out reach beyond its
// frame; a redraw of the read-out must repaint all of them. Logs with a
// fix show the caption too.
TEST_F(WindowRepaintTest, TheSpeedCaptionIsRepaintedWholeForVideoAndLogs) {
  ASSERT_TRUE(OpenCard());
  const auto rectOf = [](const PanelRect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); };
  const QRect caption = rectOf(kSpeedCaption);
  const QRect indicator = rectOf(kSpeedIndicator);
  const QImage without = Panel().grab(caption.united(indicator)).toImage();
  PaintRecorder paints(&Panel());
  paints.Take();

  LoadFirst(FileListKind::kEvent, 1);
  QRegion painted = paints.Take();
  EXPECT_EQ(painted.intersected(caption), QRegion(caption));
  EXPECT_EQ(painted.intersected(indicator), QRegion(indicator));
  EXPECT_NE(Panel().grab(caption.united(indicator)).toImage(), without) << "video: no caption";

  // Opening the card again clears the read-out, caption and all.
  paints.Take();
  ASSERT_TRUE(OpenCard());
  painted = paints.Take();
  EXPECT_EQ(painted.intersected(caption), QRegion(caption));
  EXPECT_EQ(painted.intersected(indicator), QRegion(indicator));
  EXPECT_EQ(Panel().grab(caption.united(indicator)).toImage(), without);

  LoadFirst(FileListKind::kLog, 1);
  ASSERT_EQ(app_.viewMode, kViewModeLog);
  painted = paints.Take();
  EXPECT_EQ(painted.intersected(caption), QRegion(caption));
  EXPECT_NE(Panel().grab(caption.united(indicator)).toImage(), without) << "log: no caption";
}

}  // namespace
}  // namespace main_window_test
