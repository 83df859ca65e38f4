#pragma once
// The main frame: the program's one top-level window. It has no title bar
// or border of its own; the back panel's skin is the whole surface, with a
// rounded outline. It owns the viewer (the store, playback, the map
// synchronisation and the commands) and the ports it works through, binds
// the keyboard accelerators and hands the viewer the media watch's news.
#include <QWidget>
#include <memory>

#include "platform/Volumes.h"
#include "shell/CardInsertOffers.h"
#include "shell/FrameGeometry.h"
#include "shell/ui/CardInsertNotice.h"
#include "tools/CardBusyMark.h"

struct AppState;
class CAppSetting;
class CMainBackPanel;
class CMgrDBSearch;
class CSkinPackage;
class MediaWatcher;
class Prompt;
class QtExportDialogLauncher;
class QtLoadingDialogRunner;
class QtToolDialogLauncher;
class SpawnDesktopOpener;
class Viewer;
class QtClock;
class QtPrompt;
class QtTimerHost;
class QtUiQueue;
class CSkinPicture;
class QImage;
class QScrollArea;

struct MainFrameOptions {
  // Message boxes and the folder picker; the frame's own Qt ones when null.
  Prompt* prompt = nullptr;
  // The mount table the media watcher reads.
  QString mountInfoPath = QStringLiteral("/proc/self/mountinfo");
};

class CMainFrame : public QWidget {
  Q_OBJECT

 public:
  CMainFrame(CAppSetting& settings, AppState& app, const CSkinPackage& skin, const FrameGeometry& geometry,
             const MainFrameOptions& options = {});
  ~CMainFrame() override;

  CMainBackPanel& BackPanel() const { return *panel_; }
  // The scroll area the panel lies in on a small desktop; null otherwise.
  QScrollArea* PanelScroller() const { return scroll_; }
  Viewer& Core() const { return *viewer_; }
  CMgrDBSearch& Store() const;
  MediaWatcher& Media() const { return *media_; }
  CardInsertNotice& InsertNotice() const { return *insertNotice_; }
  bool IsSmallScreen() const { return geometry_.smallScreen; }
  // Held by the card tools while the card is away from the system.
  CardBusyMark& CardBusy() { return cardBusy_; }

  // Opens a card or backup folder as the Open command does with the picker's
  // answer; false when it is no recorder folder.
  bool OpenFolder(const QString& folder);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MakeScrollArea();
  void PlaceViewport(int stripHeight);
  void ShowBottomStrip(const QImage& strip);
  void MakeAccelerators();
  void OnMediaRemoved(const QString& mountPoint);
  void OnMediaInserted(const QString& mountPoint);
  void OpenInsertedCard(const QString& mountPoint);

  CAppSetting& settings_;
  AppState& app_;
  FrameGeometry geometry_;
  std::unique_ptr<QtPrompt> ownPrompt_;
  Prompt* prompt_;
  std::unique_ptr<QtUiQueue> ui_;
  std::unique_ptr<QtTimerHost> timers_;
  std::unique_ptr<QtClock> clock_;
  Volumes volumes_;
  CardBusyMark cardBusy_;
  std::unique_ptr<QtLoadingDialogRunner> loadingDialogs_;
  std::unique_ptr<SpawnDesktopOpener> desktop_;
  std::unique_ptr<QtExportDialogLauncher> exportDialogs_;
  std::unique_ptr<QtToolDialogLauncher> toolDialogs_;
  std::unique_ptr<Viewer> viewer_;
  CMainBackPanel* panel_ = nullptr;
  // Small desktops only: the panel scrolls in this, above the bottom strip.
  QScrollArea* scroll_ = nullptr;
  CSkinPicture* bottomStrip_ = nullptr;
  MediaWatcher* media_ = nullptr;
  CardInsertOffers insertOffers_;
  CardInsertNotice* insertNotice_ = nullptr;
};
