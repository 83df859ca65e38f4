// The map in the real window on the real web engine: loading the events of
// a generated card puts the page up with a marker per recording, the route
// of the current one and the arrow; a click on another recording's marker
// goes through the page's request to the local server and makes that
// recording the current one. The program itself starts without the web
// engine and takes it from the map module when the map first shows.

#include <QProcess>
#include <QRegularExpression>
#include <QVariant>

#include "mapctrl/MgrMapSync.h"
#include "mapctrl/ui/MapBrowser.h"
#include "mapctrl/ui/PageScript.h"
#include "mapctrl/ui/WndGpsMap.h"
#include "shell/ui/MainWindowFixture.h"

namespace {

using main_window_test::MainWindowTest;

constexpr int kPageMs = 30000;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kUnderAddressSanitizer = true;
#else
constexpr bool kUnderAddressSanitizer = false;
#endif

class MapInWindowTest : public MainWindowTest {};

TEST_F(MapInWindowTest, LoadedEventsReachThePageAndAMarkerClickChangesTheRecording) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "the web engine does not run in a sanitizer build";
  ASSERT_TRUE(OpenCard());
  LoadFirst(FileListKind::kEvent, 3);
  CMgrMapSync& sync = Parts().MapSync();
  ASSERT_TRUE(WaitFor([&] { return sync.IsPageReady(); }, kPageMs)) << "the page came up and was initialised";
  EXPECT_TRUE(Parts().Map()->ShowsView());

  // The markers the page should have: one per recording with a fix.
  std::vector<MAPPOINTINFO> triggers;
  for (const CInfoMapObject& entry : frame_->Store().MapTriggers())
    triggers.insert(triggers.end(), entry.Triggers().begin(), entry.Triggers().end());
  ASSERT_GE(triggers.size(), 2u);
  MapBrowser& page = *Parts().Map()->Browser();
  ASSERT_TRUE(WaitFor(
      [&] {
        return Evaluate(page, "triggerMarkers.length").toInt() == static_cast<int>(triggers.size()) &&
               Evaluate(page, "arrow !== null").toBool();
      },
      kPageMs));
  EXPECT_GT(Evaluate(page, "routePath.length").toInt(), 1) << "the current recording's route";
  EXPECT_FALSE(Evaluate(page, "loading").toBool());

  const int before = frame_->Store().CurrentIndex();
  size_t other = 0;
  while (other < triggers.size() && triggers[other].recording == before) ++other;
  ASSERT_LT(other, triggers.size());
  Evaluate(page, QStringLiteral("triggerMarkers[%1].fire('click'); 0").arg(other));
  EXPECT_TRUE(WaitFor([&] { return frame_->Store().CurrentIndex() == triggers[other].recording; }, kPageMs))
      << "the click reached the viewer";
}

// The dynamic loader's account of a screenshot run with a loaded map: the
// engine comes in as the map module's need, never the program's.
TEST_F(MapInWindowTest, TheProgramStartsWithoutTheWebEngineAndTheMapBringsItThroughTheModule) {
  if (kUnderAddressSanitizer) GTEST_SKIP() << "the web engine does not run in a sanitizer build";
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LD_DEBUG"), QStringLiteral("files"));
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                     QString::fromStdString((Card().parent_path() / "own").string()));
  program.setProcessEnvironment(environment);
  const QString shot = QString::fromStdString((Card().parent_path() / "window.png").string());
  program.start(QString::fromUtf8(KORVANE_PROGRAM_PATH),
                {QStringLiteral("--screenshot"), shot, QStringLiteral("--load"), QStringLiteral("event"),
                 QString::fromStdString(Card().string())});
  ASSERT_TRUE(program.waitForFinished(kPageMs));
  EXPECT_EQ(program.exitCode(), 0);
  const QString loads = QString::fromLocal8Bit(program.readAllStandardError());

  const QRegularExpression engine(QStringLiteral("file=libQt6WebEngine\\w*\\.so[^\\n]*needed by ([^ \\n]+)"));
  QStringList neededBy;
  for (const QRegularExpressionMatch& match : engine.globalMatch(loads)) neededBy << match.captured(1);
  ASSERT_FALSE(neededBy.isEmpty()) << "the map showed the page";
  for (const QString& by : neededBy) {
    EXPECT_FALSE(by.endsWith(QStringLiteral("/korvane"))) << "the program itself needs the engine";
  }
  EXPECT_TRUE(loads.contains(
      QRegularExpression(QStringLiteral("file=[^\\n]*libkorvane-map-view\\.so[^\\n]*dynamically loaded"))));
}

}  // namespace
