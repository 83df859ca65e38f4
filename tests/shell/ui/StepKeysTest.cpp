// The step keys (left, right) step frames and log records wherever the
// keyboard focus is, except while the user types in a field he clicked
// into: there they move the caret, as in any field.
#include <QLineEdit>
#include <QWindow>

#include "playback/ui/PaneLogSearch.h"
#include "playback/ui/PaneVideo.h"
#include "playback/ui/WndPanePanel.h"
#include "shell/ui/MainWindowFixture.h"

namespace main_window_test {
namespace {

class StepKeysTest : public MainWindowTest {
 protected:
  // A key as the keyboard gives it: to the window, which hands it to its
  // focus widget.
  void Press(Qt::Key key) const {
    QTest::keyClick(frame_->windowHandle(), key);
    QApplication::processEvents();
  }
  int LogPoint() const { return Engine().LogGraph().CurrentIndex(); }
  CPaneLogSearch& LogSearch() const { return *Parts().Panes()->LogSearchPane(); }
};

TEST_F(StepKeysTest, LogRecordsStepWhereverTheFocusLandsAfterTheLoad) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kLog, 1);
  ASSERT_EQ(app_.viewMode, kViewModeLog);
  // Wherever the focus goes from there with the Tab key, it never lands in a
  // field, and the keys step.
  for (int tab = 0; tab < 12; ++tab) {
    QWidget* focus = QApplication::focusWidget();
    const char* name = focus ? focus->metaObject()->className() : "nothing";
    EXPECT_EQ(qobject_cast<QLineEdit*>(focus), nullptr) << tab;
    const int before = LogPoint();
    Press(Qt::Key_Right);
    EXPECT_EQ(LogPoint(), before + 1) << "focus on " << name;
    Press(Qt::Key_Left);
    EXPECT_EQ(LogPoint(), before) << "focus on " << name;
    Press(Qt::Key_Tab);
  }
}

TEST_F(StepKeysTest, FramesStepWhereverTheFocusIs) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 1);
  ASSERT_EQ(app_.viewMode, kViewModeEvent);
  for (int tab = 0; tab < 8; ++tab) {
    QWidget* focus = QApplication::focusWidget();
    const char* name = focus ? focus->metaObject()->className() : "nothing";
    const int before = CurrentFrame();
    Press(Qt::Key_Left);
    EXPECT_EQ(CurrentFrame(), before - 1) << "focus on " << name;
    Press(Qt::Key_Right);
    EXPECT_EQ(CurrentFrame(), before) << "focus on " << name;
    Press(Qt::Key_Tab);
  }
}

TEST_F(StepKeysTest, AFieldClickedIntoKeepsTheKeysUntilTheUserClicksElsewhere) {
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kLog, 1);
  ASSERT_EQ(app_.viewMode, kViewModeLog);
  QLineEdit* field = LogSearch().SpeedEdit();
  QTest::mouseClick(field, Qt::LeftButton, Qt::NoModifier, QPoint(2, field->height() / 2));
  ASSERT_TRUE(field->hasFocus());
  field->setCursorPosition(0);
  const int before = LogPoint();
  Press(Qt::Key_Right);
  EXPECT_EQ(field->cursorPosition(), 1);
  EXPECT_EQ(LogPoint(), before);

  // A click on the picture ends the typing: the keys step again.
  QWidget* picture = Parts().Panes()->Pane(0);
  QTest::mouseClick(picture, Qt::LeftButton, Qt::NoModifier, picture->rect().center());
  EXPECT_FALSE(field->hasFocus());
  Press(Qt::Key_Right);
  EXPECT_EQ(LogPoint(), before + 1);
}

}  // namespace
}  // namespace main_window_test
