#pragma once
// The viewer without its window: the recording store, the playback engine,
// the map synchronisation and the command table, and the window's rules
// that are no widget's (what a pulled card does, when the card is a tool's
// and not the user's). The window's widgets observe it; the command-line
// tool and the tests drive it with plain ports.
#include <memory>
#include <string>

#include "base/CommandTable.h"
#include "export/ExportCommands.h"
#include "export/ExportView.h"
#include "mapctrl/MgrMapSync.h"
#include "playback/PlaybackCommands.h"
#include "playback/PlaybackEngine.h"
#include "playback/ViewObservers.h"
#include "recording/MgrDBSearch.h"
#include "recording/StoreViewSink.h"
#include "shell/MainCommands.h"
#include "tools/CardBusyMark.h"
#include "tools/ToolCommands.h"

struct AppState;
class CAppSetting;
class Clock;
class LoadingDialogRunner;
class Prompt;
class TimerHost;
class UiQueue;
class Volumes;

// What the viewer works through; all of it outlives the viewer.
struct ViewerPorts {
  CAppSetting& settings;
  AppState& app;
  Prompt& prompt;
  UiQueue& ui;
  TimerHost& timers;
  const Clock& clock;
  const Volumes& volumes;
  LoadingDialogRunner& loadingDialogs;
  ExportDialogLauncher& exportDialogs;
  ToolDialogLauncher& toolDialogs;
  // Held by the disk check and the format while the card is away.
  const CardBusyMark& cardBusy;
};

class Viewer final : private StoreViewSink {
 public:
  explicit Viewer(const ViewerPorts& ports);
  ~Viewer() override;
  Viewer(const Viewer&) = delete;
  Viewer& operator=(const Viewer&) = delete;

  CMgrDBSearch& Store() { return store_; }
  const CMgrDBSearch& Store() const { return store_; }
  PlaybackEngine& Engine() { return engine_; }
  const PlaybackEngine& Engine() const { return engine_; }
  const CommandTable& Commands() const { return commands_; }
  // Null until the map is attached.
  CMgrMapSync* MapSync() const { return mapSync_.get(); }

  // The window's own commands and the search window's loads; the command
  // table holds every row from then on.
  void AttachWindow(MainWindowActions& actions, SearchCommands& search);
  // The map page the map synchronisation drives; detached before the map
  // window goes.
  CMgrMapSync& AttachMap(const MapSyncPorts& ports);
  void DetachMap();
  // The widgets that show the store's catalogue and root, told in the order
  // they came.
  void AddStoreView(StoreViewSink* view) { storeViews_.Add(view); }
  void RemoveStoreView(StoreViewSink* view) { storeViews_.Remove(view); }

  // The facts the commands' rules read, as they are now.
  CommandState CurrentCommandState() const;
  // With the ticks of the model and speed-source items, for a menu.
  CommandState MenuCommandState() const;
  // Runs the command of id when its rule allows it now; false when no
  // command has the id or it is disabled.
  bool RunCommand(int id);
  bool IsEnabled(int id) const { return commands_.IsEnabled(id, CurrentCommandState()); }
  // What the export dialogs take from the panes: the current recording's
  // frames among them.
  ExportView CurrentExportView();

  // Nothing loaded: every display at zero with the time now.
  void ShowNothingLoaded();
  void StopBothPlays();
  // The medium mounted at mountPoint went away. When it held the card shown
  // and no card tool has it, a load over it is cancelled, the lists are
  // emptied, the card forgotten and the user told; true then.
  bool OnMediaRemoved(const std::string& mountPoint);

 private:
  // ---- StoreViewSink: the store's resets reach the engine ------------------
  void ClearFileLists() override;
  void ResetPicture() override;
  void ResetDisplays() override;
  void ResetGraph() override;
  void StopPlayback() override;
  void SetWaitCursor(bool busy) override;
  void RefreshFileLists() override;
  void ShowFileList(FileListKind kind) override;
  void ShowRoot(const std::string& root) override;
  // A notice about what is shown is a message box with the program's title.
  class NoticeBox final : public PaneView {
   public:
    explicit NoticeBox(Prompt& prompt) : prompt_(prompt) {}
    void ShowNotice(const std::string& text) override;

   private:
    Prompt& prompt_;
  };

  ViewerPorts ports_;
  CMgrDBSearch store_;
  PlaybackEngine engine_;
  NoticeBox notices_;
  std::unique_ptr<CMgrMapSync> mapSync_;
  ViewObservers<StoreViewSink> storeViews_;
  std::unique_ptr<PlaybackCommandContext> playbackCommands_;
  std::unique_ptr<ToolCommandContext> toolCommands_;
  std::unique_ptr<ExportCommandContext> exportCommands_;
  CommandTable commands_;
};
