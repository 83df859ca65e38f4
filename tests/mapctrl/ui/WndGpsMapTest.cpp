// The map window on the real web engine: it loads the page from its own
// server, reports the completed document, passes script calls as plain
// text arguments, shows the fallback picture when asked, and at the fast
// play speeds asks for the arrow once a second.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QVariant>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <QtTest/QTest>

#include "mapctrl/ui/MapBrowser.h"
#include "mapctrl/ui/PageScript.h"
#include "mapctrl/ui/WndGpsMap.h"

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

// Tiles from a port nobody listens on: the test never leaves the machine.
MapTiles NoTiles() {
  MapTiles tiles;
  tiles.url = "http://127.0.0.1:9/{z}/{x}/{y}.png";
  return tiles;
}

class WndGpsMapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (kUnderAddressSanitizer) {
      GTEST_SKIP() << "Qt WebEngine's Chromium aborts inside an AddressSanitizer process "
                      "(a new-delete-type-mismatch in libQt6WebEngineCore itself)";
    }
    QImage fallback(32, 32, QImage::Format_RGB32);
    fallback.fill(Qt::darkGreen);
    map_ = std::make_unique<CWndGpsMap>(fallback, KORVANE_BUILD_DIR, NoTiles(), nullptr);
    map_->resize(480, 360);
    map_->SetHasData(true);
    CWndGpsMap::Hooks hooks;
    hooks.documentComplete = [this] { ++completed_; };
    hooks.playState = [this] { return playState_; };
    hooks.moveArrow = [this] { ++arrowMoves_; };
    map_->SetHooks(hooks);
    map_->show();
  }

  // Starts the server and loads its page; true once the document completed.
  bool LoadPage() {
    port_ = 31000 + static_cast<int>(getpid() % 3000) * 10;
    if (!map_->StartServer(port_)) return false;
    map_->Navigate("http://localhost:" + std::to_string(port_));
    QElapsedTimer timer;
    timer.start();
    while (completed_ == 0 && timer.elapsed() < 30000) map_->ProcessEventsFor(50);
    return completed_ > 0;
  }

  std::unique_ptr<CWndGpsMap> map_;
  int completed_ = 0;
  int arrowMoves_ = 0;
  int port_ = 0;
  PlayState playState_ = PS_STOP;
};

TEST_F(WndGpsMapTest, LoadsTheServedPageAndItsScriptCallsReachIt) {
  EXPECT_FALSE(map_->CallJScript("initialize", {"/opt"})) << "no document yet";
  ASSERT_TRUE(LoadPage());
  EXPECT_TRUE(map_->ShowsView());
  ASSERT_TRUE(map_->SetDocument());
  MapBrowser& page = *map_->Browser();

  EXPECT_TRUE(map_->CallJScript("initialize", {map_->ProgramFolder()}));
  EXPECT_TRUE(map_->CallJScript("addRoute", {"35.172222", "136.883333", "0", "12", "2"}));
  EXPECT_TRUE(map_->CallJScript("addSingleRoute", {"35.170000", "136.880000", "0", "0", "2"}));
  EXPECT_TRUE(map_->CallJScript("addSingleRoute", {"35.172222", "136.883333", "0", "12", "2"}));
  EXPECT_TRUE(map_->CallJScript("drawRoute", {"0"}));
  EXPECT_TRUE(map_->CallJScript("doMoveCenter", {"35.172222", "136.883333", "0", "0"}));
  EXPECT_EQ(
      Evaluate(page, "[triggerMarkers.length, nodeMarkers.length, routePath.length, arrow !== null, loading]").toList(),
      (QVariantList{1, 2, 2, true, false}));

  // A text that closes its quotes stays one argument.
  EXPECT_TRUE(map_->CallJScript("addRoute", {"1\");window.injected=1;(\"", "2", "0", "1", "2"}));
  EXPECT_EQ(Evaluate(page, "typeof window.injected").toString(), "undefined");
  EXPECT_EQ(Evaluate(page, "triggerMarkers.length").toInt(), 2);

  EXPECT_FALSE(map_->CallJScript("alert", {"x"}));
  EXPECT_FALSE(map_->CallJScript("noSuchFunction", {}));
}

TEST_F(WndGpsMapTest, ThePageIsShownOnlyWithDataAndUntilItFails) {
  EXPECT_EQ(map_->findChild<QWebEngineView*>(), nullptr) << "no web engine before a map is loaded";
  EXPECT_FALSE(map_->ShowsView());
  ASSERT_TRUE(LoadPage());
  EXPECT_TRUE(map_->ShowsView());
  map_->SetHasData(false);
  EXPECT_FALSE(map_->ShowsView());
  map_->SetHasData(true);
  EXPECT_TRUE(map_->ShowsView());
  map_->ShowFallback();
  EXPECT_FALSE(map_->ShowsView());
  const QImage shown = map_->grab().toImage();
  EXPECT_EQ(shown.pixelColor(240, 180), QColor(Qt::darkGreen));
  map_->Navigate("http://localhost:" + std::to_string(port_));
  EXPECT_TRUE(map_->ShowsView());
}

TEST_F(WndGpsMapTest, TheTimerAsksForTheArrowOnlyAtFastSpeeds) {
  playState_ = PS_PLAY;
  map_->ProcessEventsFor(1300);
  EXPECT_EQ(arrowMoves_, 0);
  playState_ = PS_FAST_REVERSE_4;
  map_->ProcessEventsFor(1100);
  EXPECT_GE(arrowMoves_, 1);
  playState_ = PS_FAST_16;
  const int before = arrowMoves_;
  map_->ProcessEventsFor(1100);
  EXPECT_GE(arrowMoves_, before + 1);
}

TEST_F(WndGpsMapTest, ScriptPolicyFollowsTheViewsJavaScriptSetting) {
  EXPECT_TRUE(map_->ScriptsAllowed());
  auto* view = qobject_cast<QWebEngineView*>(map_->Browser()->Widget());
  ASSERT_NE(view, nullptr);
  view->settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
  EXPECT_FALSE(map_->ScriptsAllowed());
}

TEST_F(WndGpsMapTest, TheSmallScreenLayoutMovesTheViewsBottomEdge) {
  map_->SetSmallScreen(true, 700);
  EXPECT_EQ(map_->Browser()->Widget()->geometry().bottom(),
            map_->rect().bottom() + 700 - CWndGpsMap::kSmallScreenBottom);
  map_->SetSmallScreen(false, 700);
  EXPECT_EQ(map_->Browser()->Widget()->geometry(), map_->rect());
}

}  // namespace
