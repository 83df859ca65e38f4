// The window without a mouse: Tab walks the search window's controls in
// their order, whatever the search window shows, and never into the map; a
// menu opened with Alt and its letter starts on its first item.
#include <QMenu>
#include <QTimer>
#include <QWindow>
#include <vector>

#include "base/CommandIds.h"
#include "mapctrl/ui/WndGpsMap.h"
#include "playback/SearchWindowState.h"
#include "playback/ui/FileListView.h"
#include "shell/ui/MainWindowFixture.h"
#include "skin/ui/VxButton.h"

namespace main_window_test {
namespace {

class KeyboardWalkTest : public MainWindowTest {
 protected:
  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
    QTest::keyClick(frame_->windowHandle(), key, modifiers);
    QApplication::processEvents();
  }

  // The search window's controls that show, in the order Tab should take.
  std::vector<QWidget*> ShownInTabOrder() const {
    std::vector<QWidget*> shown;
    for (SearchControl control : SearchTabOrder()) {
      QWidget* widget = Search().Control(control);
      if (widget && widget->isVisible() && widget->isEnabled()) shown.push_back(widget);
    }
    return shown;
  }

  // Tab from the first of them, as long as the keyboard stays in the search
  // window; the map must never take it on the way round the window.
  std::vector<QWidget*> WalkWithTab(QWidget* first) const {
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget*> walked{QApplication::focusWidget()};
    for (int step = 0; step < 40; ++step) {
      Press(Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      EXPECT_FALSE(focus && Parts().Map()->isAncestorOf(focus)) << "Tab went into the map";
      if (focus == first) break;
      if (focus && Search().isAncestorOf(focus)) walked.push_back(focus);
    }
    return walked;
  }

  // The active item of the menu that opens while act runs; "none" without one.
  static QString ActiveItemOfMenuOpenedBy(const std::function<void()>& act) {
    QString active = QStringLiteral("no menu");
    QTimer probe;
    probe.setInterval(5);
    QObject::connect(&probe, &QTimer::timeout, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu || !menu->isVisible()) return;
      probe.stop();
      active = menu->activeAction() ? menu->activeAction()->text() : QStringLiteral("none");
      menu->close();
    });
    probe.start();
    act();
    return active;
  }
};

TEST_F(KeyboardWalkTest, TabTakesTheSearchWindowsControlsInOrderAndPassesTheMapBy) {
  ASSERT_TRUE(OpenCard());
  Engine().List(FileListKind::kEvent).SetChecked(0, true);
  Search().RefreshChecks(FileListKind::kEvent);
  // On the lists, then on what the load leaves.
  for (int load = 0; load < 2; ++load) {
    const std::vector<QWidget*> expected = ShownInTabOrder();
    ASSERT_GE(expected.size(), 2u) << load;
    EXPECT_EQ(WalkWithTab(expected.front()), expected) << (load == 0 ? "lists" : "loaded recordings");
    if (load == 0) {
      // Space on the focused Load button loads what is ticked.
      Search().LoadButton()->setFocus(Qt::TabFocusReason);
      Press(Qt::Key_Space);
      Reactivate();
      ASSERT_EQ(app_.viewMode, kViewModeEvent);
    }
  }
}

TEST_F(KeyboardWalkTest, AMenuOpenedWithAltAndItsLetterStartsOnItsFirstItem) {
  const QString first = Panel().BuildMenu(0)->actions().front()->text();
  EXPECT_EQ(ActiveItemOfMenuOpenedBy([this] { Press(Qt::Key_F, Qt::AltModifier); }), first);
  // Opened with the mouse, it waits for the mouse.
  EXPECT_EQ(ActiveItemOfMenuOpenedBy([this] { Parts().Button(kIdMenuFile)->click(); }), QStringLiteral("none"));
}

// Ctrl+L (File > Load > Log) brings up the log list even with nothing ticked.
TEST_F(KeyboardWalkTest, TheLoadKeysShowTheListTheyLoad) {
  ASSERT_TRUE(OpenCard());
  ASSERT_TRUE(Search().FileListWidget(FileListKind::kEvent)->isVisible());
  Press(Qt::Key_L, Qt::ControlModifier);
  Reactivate();
  EXPECT_TRUE(Search().FileListWidget(FileListKind::kLog)->isVisible());
  ASSERT_FALSE(prompt_.ShownBoxes().empty());
  EXPECT_EQ(prompt_.ShownBoxes().back().text, "No Log is selected");
}

}  // namespace
}  // namespace main_window_test
