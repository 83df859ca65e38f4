// When a dialog closes, the keyboard goes back to the window below it, so
// the main window's accelerators answer without a click first. The offscreen
// platform, like a window manager with a frameless window, hands nothing
// back by itself.
#include <QDialog>

#include "shell/ui/MainWindowFixture.h"

namespace main_window_test {
namespace {

TEST_F(MainWindowTest, TheKeyboardGoesBackToTheWindowBelowAClosingDialog) {
  QDialog outer(frame_.get());
  outer.setModal(true);
  outer.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&outer));
  QDialog inner(&outer);
  inner.setModal(true);
  inner.show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&inner));

  inner.accept();
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &outer; }, 2000));
  outer.reject();
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == frame_.get(); }, 2000));
}

}  // namespace
}  // namespace main_window_test
