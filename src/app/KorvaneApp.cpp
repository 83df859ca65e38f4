#include "app/KorvaneApp.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QSysInfo>
#include <QTimer>
#include <cstdio>
#include <optional>

#include "app/AfterFirstPaint.h"
#include "base/AppSetting.h"
#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "platform/RegularFile.h"
#include "platform/Trace.h"
#include "platform/UserFolders.h"
#include "playback/PlaybackEngine.h"
#include "playback/ui/WndSearch.h"
#include "recording/MgrDBSearch.h"
#include "recording/RecordingLocation.h"
#include "shell/MainCommands.h"
#include "shell/Viewer.h"
#include "shell/ui/MainBackPanel.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/MainPanelParts.h"
#include "skin/ui/AppFonts.h"
#include "skin/ui/CheckMarkStyle.h"
#include "skin/ui/VxButton.h"
#include "skin/ui/VxCheckButton.h"

namespace {

// The single-instance lock; held while the program runs. A second copy
// starts all the same: refusing it would lose nothing but help nobody.
constexpr const char* kInstanceLockName = "DR_TOLVEN.lock";
constexpr const char* kSkinIndexName = "korvane.dsc";
constexpr const char* kSkinImageName = "korvane.chk";

QString Title() { return QString::fromUtf8(kApplicationTitle); }

FileListKind KindOf(const QString& load) {
  if (load == QLatin1String("normal")) return FileListKind::kNormal;
  if (load == QLatin1String("log")) return FileListKind::kLog;
  if (load == QLatin1String("trip")) return FileListKind::kTrip;
  return FileListKind::kEvent;
}

int LoadCommandOf(FileListKind kind) {
  if (kind == FileListKind::kNormal) return kIdFileLoadNormal;
  if (kind == FileListKind::kLog) return kIdFileLoadLog;
  return kIdFileLoadEvent;
}

}  // namespace

CKorvaneApp::CKorvaneApp(StartOptions options) : options_(std::move(options)) {}

CKorvaneApp::~CKorvaneApp() { frame_.reset(); }

void CKorvaneApp::ReportStartFailure(const QString& text) const {
  // A screenshot run has nobody to click a message box away.
  if (!options_.screenshot.isEmpty()) {
    std::fprintf(stderr, "korvane: %s\n", text.toUtf8().constData());
    return;
  }
  QMessageBox::critical(nullptr, Title(), text);
}

bool CKorvaneApp::CheckSkinPackage() {
  const std::filesystem::path start = ProgramDataFolder();
  // No language file is chosen yet, so the text is always the English one.
  for (const char* name : {kSkinIndexName, kSkinImageName}) {
    // Opened without blocking: a FIFO in place of the package must not hang the start.
    if (RegularFileOpens(start / name)) continue;
    ReportStartFailure(QStringLiteral("%1 : %2").arg(QStringLiteral("Check File"), QString::fromLatin1(name)));
    return false;
  }
  if (!skin_.Open(start / kSkinIndexName)) {
    ReportStartFailure(QString::fromStdString(OpenFailedMessage(start / kSkinIndexName)));
    return false;
  }
  return true;
}

bool CKorvaneApp::InitInstance() {
  const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  const QString folder = runtime.isEmpty() ? QDir::tempPath() : runtime;
  if (!instanceLock_.Take(QDir(folder).filePath(QString::fromLatin1(kInstanceLockName)).toStdString()))
    KTRACE("Another Korvane is running");

  if (!CheckSkinPackage()) return false;
  // A screenshot run shows the window as the options make it and quits: what
  // it chooses on the way stays in this run.
  settings_ = std::make_unique<CAppSetting>(AppSettingFolders::FromUser(), options_.screenshot.isEmpty()
                                                                               ? SettingWrites::kToFile
                                                                               : SettingWrites::kThisRunOnly);
  settings_->LoadSetting();
  FindLangFile(*settings_);

  UseCheckMarkStyleEverywhere();
  MakeAppFonts();
  KTRACE("Font : %s", QApplication::font().family().toUtf8().constData());
  KTRACE("System : %s %s", QSysInfo::prettyProductName().toUtf8().constData(),
         QSysInfo::kernelVersion().toUtf8().constData());

  const QRect desktop = QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->availableGeometry()
                                                         : QRect(0, 0, kFrameWidth, kFrameHeight);
  FrameGeometry geometry = FrameGeometryFor(desktop.width(), desktop.height());
  geometry.left += desktop.left();
  geometry.top += desktop.top();
  MainFrameOptions frameOptions;
  if (!options_.screenshot.isEmpty()) frameOptions.prompt = &consolePrompt_;
  frame_ = std::make_unique<CMainFrame>(*settings_, app_, skin_, geometry, frameOptions);
  frame_->show();
  return true;
}

void CKorvaneApp::OpenCommandLineFolder() {
  if (options_.folder.isEmpty()) return;
  const QString folder = QDir(options_.folder).absolutePath();
  // A recording (what the file manager hands over on a double-click) opens
  // its card and is loaded, as ticking its row and pressing Load would.
  const std::optional<RecordingLocation> recording = LocateRecording(folder.toStdString());
  if (!recording) {
    if (!frame_->OpenFolder(folder)) exitStatus_ = 2;
    return;
  }
  if (!frame_->OpenFolder(QString::fromStdString(recording->root.string()))) {
    exitStatus_ = 2;
    return;
  }
  CMainBackPanel& panel = frame_->BackPanel();
  CListEvent& list = frame_->Core().Engine().List(recording->kind);
  const int row = list.RowOf(recording->dataFile.string());
  if (row < 0) return;
  list.SetAllChecked(false);
  list.SetChecked(row, true);
  panel.OnCommand(LoadCommandOf(recording->kind));
}

// The view is set up as a user would: through the window's commands, with
// the first rows of the list ticked.
namespace {
constexpr int kScreenshotSettleMs = 1500;
constexpr int kTripWaitSliceMs = 50;
}  // namespace

void CKorvaneApp::PrepareScreenshotView() {
  CMainBackPanel& panel = frame_->BackPanel();
  if (const int item = ModelItemId(options_.model)) panel.OnCommand(item);
  if (options_.load.isEmpty()) return;
  const FileListKind kind = KindOf(options_.load);
  // The Trip list's rows come from a worker, a user waits for them.
  while (kind == FileListKind::kTrip && frame_->Core().Engine().TripListFilling()) {
    QApplication::processEvents(QEventLoop::AllEvents, kTripWaitSliceMs);
  }
  CListEvent& list = frame_->Core().Engine().List(kind);
  for (int row = 0; row < list.RowCount() && row < options_.count; ++row) list.SetChecked(row, true);
  if (kind == FileListKind::kTrip) {
    // The Trip list has no menu item: its tab and Load, as a user does;
    // no row ticked shows the list.
    CWndSearch& search = *panel.Parts().Search();
    search.TabButton(kind)->click();
    search.RefreshChecks(kind);
    if (options_.count > 0) search.LoadButton()->click();
  } else {
    panel.OnCommand(LoadCommandOf(kind));
  }
  if (options_.select >= 0) {
    CWndSearch& search = *panel.Parts().Search();
    if (kind == FileListKind::kLog) {
      search.SelectLoadedLogRow(options_.select);
      frame_->Core().Engine().SelectLoadedLog(options_.select);
    } else {
      search.SelectLoadedRecordingRow(options_.select);
      frame_->Core().Engine().SelectLoadedRecording(options_.select);
    }
  }
  for (int i = 0; i < options_.steps; ++i) panel.OnCommand(kIdPlayNextFrame);
  if (options_.thumbnail) panel.OnCommand(kIdViewLayoutThumb);
  if (options_.close) panel.Parts().Search()->CloseButton()->click();
}

bool CKorvaneApp::SaveScreenshot() {
  const QPixmap picture = frame_->grab();
  if (!picture.save(options_.screenshot, "PNG")) {
    std::fprintf(stderr, "korvane: cannot write %s\n", options_.screenshot.toUtf8().constData());
    return false;
  }
  return true;
}

int CKorvaneApp::Run() {
  // The card is opened once the window is up: its scan need not keep the
  // window blank.
  RunAfterFirstPaint(*frame_, [this] {
    OpenCommandLineFolder();
    if (options_.screenshot.isEmpty()) return;
    PrepareScreenshotView();
    // What the view started (a load, the map page) settles in the event
    // loop before the picture is taken.
    QTimer::singleShot(kScreenshotSettleMs, frame_.get(), [this] {
      if (!SaveScreenshot()) exitStatus_ = 1;
      QApplication::exit(exitStatus_);
    });
  });
  const int status = QApplication::exec();
  return status != 0 ? status : exitStatus_;
}
