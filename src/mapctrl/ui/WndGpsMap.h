#pragma once
// The map window of the back panel: the browser view with the map page, or
// the fallback picture when the map is off, has nothing to show or failed.
// It hosts the page's local server and, at the fast play speeds, asks the
// map synchronisation once a second to move the arrow. The browser view
// comes from the map module, loaded when a page is first navigated to; the
// window says so while the module loads.

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "base/ScriptPolicy.h"
#include "mapctrl/MapPageAnswer.h"
#include "mapctrl/MapPageHost.h"
#include "mapctrl/ui/MapPageScripts.h"
#include "playback/PlayState.h"

class MapBrowser;
class CVxServerSock;

class CWndGpsMap : public QWidget, public MapPageHost, public ScriptPolicy {
  Q_OBJECT

 public:
  static constexpr int kTimerMs = 1000;
  // In the small-screen layout the view's bottom edge moves by the
  // desktop's bottom minus this.
  static constexpr int kSmallScreenBottom = 763;

  struct Hooks {
    // A document other than "about:blank" completed (the map
    // synchronisation's OnMapDocumentComplete).
    std::function<void()> documentComplete;
    // The page's marker click: Go to, then the map update.
    std::function<void(int recording, int frame)> click;
    // The play controller's state, read by the timer.
    std::function<PlayState()> playState;
    // Tells the map synchronisation the position moved (posted, not called).
    std::function<void()> moveArrow;
    // Whether the map is enabled (the map synchronisation's flag).
    std::function<bool()> mapEnabled;
  };

  // `dataFolder` holds the page and its files (map/ below it).
  CWndGpsMap(QImage fallback, const std::filesystem::path& dataFolder, const MapTiles& tiles, QWidget* parent);
  ~CWndGpsMap() override;

  void SetHooks(Hooks hooks) { hooks_ = std::move(hooks); }
  // Set by playback when the selected recording has positions.
  void SetHasData(bool hasData);
  bool HasData() const { return hasData_; }
  void SetSmallScreen(bool smallScreen, int desktopBottom);

  // MapPageHost
  bool StartServer(int& port) override;
  void Navigate(const std::string& address) override;
  bool SetDocument() override;
  bool CallJScript(const std::string& function, const std::vector<std::string>& args) override;
  void ShowFallback() override;
  bool ProcessEventsFor(int ms) override;
  std::string ProgramFolder() const override;

  // ScriptPolicy: the web view's JavaScript setting.
  bool ScriptsAllowed() const override;

  // The browser view, made on first use; null when the map module cannot
  // be loaded (or the web engine cannot run in this build).
  MapBrowser* Browser();
  bool ServerStarted() const { return serverStarted_; }
  // Whether the view is what this window shows now (else the fallback).
  bool ShowsView() const;
  // Shows the view or the fallback as the map's state now asks; the timer
  // also does so every second.
  void UpdateShown();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void OnTimer();
  void PlaceView();

  QImage fallback_;
  MapBrowser* browser_ = nullptr;
  MapPageScripts scripts_;
  bool loadingModule_ = false;
  bool moduleMissing_ = false;
  std::unique_ptr<CVxServerSock> server_;
  QTimer timer_;
  Hooks hooks_;
  bool hasData_ = false;
  bool serverStarted_ = false;
  bool failed_ = false;
  bool smallScreen_ = false;
  int desktopBottom_ = 0;
  bool quitting_ = false;
};
