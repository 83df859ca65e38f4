#include "shell/Viewer.h"

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "platform/MediaChanges.h"
#include "platform/Ports.h"
#include "platform/Prompt.h"
#include "playback/LoadingDialogRunner.h"
#include "recording/InfoEventFile.h"
#include "telemetry/SpeedSource.h"
#include "telemetry/TripFigures.h"

Viewer::Viewer(const ViewerPorts& ports)
    : ports_(ports),
      store_(ports.prompt, ports.ui, ports.app, ports.volumes),
      engine_(store_, ports.settings, ports.timers, ports.clock, ports.prompt, ports.loadingDialogs),
      notices_(ports.prompt) {
  store_.SetViewSink(this);
  store_.SetDiskCheckRunner(
      [&dialogs = ports_.toolDialogs](const std::string& root) { return dialogs.CheckDisk(root); });
  engine_.AddViews(PlaybackSinks{.pane = &notices_});
}

Viewer::~Viewer() {
  store_.SetViewSink(nullptr);
  engine_.RemoveViews(PlaybackSinks{.pane = &notices_});
  DetachMap();
}

void Viewer::NoticeBox::ShowNotice(const std::string& text) {
  prompt_.Show(text, std::string(kApplicationTitle), PromptButtons::Ok);
}

// ---- commands -----------------------------------------------------------------

// Each subsystem adds its own rows, with the context its handlers work on.
void Viewer::AttachWindow(MainWindowActions& actions, SearchCommands& search) {
  AddMainCommands(commands_, actions);

  playbackCommands_ =
      std::make_unique<PlaybackCommandContext>(PlaybackCommandContext{engine_, search, &ports_.settings});
  AddPlaybackCommands(commands_, *playbackCommands_);

  PlaybackEngine& engine = engine_;
  CMgrDBSearch& store = store_;
  toolCommands_ = std::make_unique<ToolCommandContext>(ToolCommandContext{
      ports_.settings, ports_.prompt, ports_.toolDialogs, [&store] { return store.Root(); },
      [&engine] {
        return BackupSelectionFromPaths(engine.List(FileListKind::kEvent).CheckedPaths(),
                                        engine.List(FileListKind::kNormal).CheckedPaths(),
                                        engine.List(FileListKind::kLog).CheckedPaths());
      },
      [this] { StopBothPlays(); }, [&store] { store.PostRescan(); }, [&store] { store.ForgetRoot(); },
      [&store](const std::string& root) { store.ChooseRoot(root); }});
  toolCommands_->chooseCard = [&store] { return store.SelectFolder(); };
  toolCommands_->releaseRecordings = [&store] { store.Reset(); };
  toolCommands_->pulseTypeSaved = [&store, &engine](int type) {
    store.SetPulseType(type);
    engine.SpeedSourceChanged();
  };
  toolCommands_->volumes = &store_.Drives();
  AddToolCommands(commands_, *toolCommands_);

  exportCommands_ = std::make_unique<ExportCommandContext>(
      ExportCommandContext{ports_.settings, ports_.prompt, store_, ports_.exportDialogs,
                           [this] { return CurrentExportView(); }, [&engine] { engine.Control().StopVideoPlay(); }});
  AddExportCommands(commands_, *exportCommands_);
}

CommandState Viewer::CurrentCommandState() const {
  return CommandStateOf(ports_.app, store_, engine_.Control().Navigator().Layout());
}

CommandState Viewer::MenuCommandState() const {
  return CommandStateWithTicks(ports_.app, store_, ports_.settings, engine_.Control().Navigator().Layout());
}

bool Viewer::RunCommand(int id) { return commands_.Run(id, CurrentCommandState()); }

ExportView Viewer::CurrentExportView() {
  const CommandState state = CurrentCommandState();
  const FrameNavigator& navigator = engine_.Control().Navigator();
  const PaneSet& panes = navigator.Panes();
  ExportView view;
  view.videoLoaded = state.videoLoaded;
  view.logLoaded = state.logLoaded;
  view.thumbnail = navigator.Layout() == kLayoutThumbnail;
  view.selectedPane = panes.Selected();
  const int currentRecording = store_.CurrentIndex();
  const int shown = view.thumbnail ? kPaneCount : 1;
  for (int pane = 0; pane < shown; ++pane) {
    const PaneContent& content = panes.Pane(pane);
    const bool ours = content.HoldsFrame() && content.recording == currentRecording;
    view.paneFrames.push_back(ours ? content.frameIndex : -1);
    view.pictureShown = view.pictureShown || (ours && content.HasPicture());
  }
  view.logGraph = &engine_.LogGraph();
  return view;
}

// ---- the map ------------------------------------------------------------------

CMgrMapSync& Viewer::AttachMap(const MapSyncPorts& ports) {
  DetachMap();
  mapSync_ = std::make_unique<CMgrMapSync>(store_, engine_.Control(), engine_.LogGraph(), ports);
  mapSync_->SetSpeedRouteUnit(SpeedUnitOf(ports_.settings));
  mapSync_->SetHardG(ports_.settings.HardG(kDefaultHardG));
  engine_.AttachMap(mapSync_.get());
  return *mapSync_;
}

void Viewer::DetachMap() {
  if (!mapSync_) return;
  engine_.AttachMap(nullptr);
  mapSync_.reset();
}

// ---- the card -----------------------------------------------------------------

void Viewer::ShowNothingLoaded() {
  engine_.ResetForCard(ports_.clock.LocalNow());
  engine_.ResetSlideBarToNow();
}

void Viewer::StopBothPlays() {
  engine_.Control().StopVideoPlay();
  engine_.Control().StopLogPlay();
}

bool Viewer::OnMediaRemoved(const std::string& mountPoint) {
  if (!IsOnRemovedMedium(store_.Root(), mountPoint)) return false;
  // The disk check unmounts the card itself and mounts it again; a format
  // takes it away from the system while it runs.
  if (ports_.cardBusy.IsBusy()) return false;
  // A load over the pulled card is cancelled; its run then ends.
  ports_.loadingDialogs.CancelShown();
  ClearFileLists();
  store_.ForgetRoot();
  ports_.prompt.Show(GetLangText("Message", "MediaRemoved", "Media has been removed."), std::string(kApplicationTitle),
                     PromptButtons::Ok);
  return true;
}

// ---- StoreViewSink --------------------------------------------------------------

void Viewer::ClearFileLists() {
  storeViews_.Each([](StoreViewSink& v) { v.ClearFileLists(); });
}

void Viewer::ResetPicture() {
  ShowNothingLoaded();
  storeViews_.Each([](StoreViewSink& v) { v.ResetPicture(); });
}

void Viewer::ResetDisplays() {
  storeViews_.Each([](StoreViewSink& v) { v.ResetDisplays(); });
}

void Viewer::ResetGraph() {
  storeViews_.Each([](StoreViewSink& v) { v.ResetGraph(); });
}

void Viewer::StopPlayback() { StopBothPlays(); }

void Viewer::SetWaitCursor(bool busy) {
  storeViews_.Each([busy](StoreViewSink& v) { v.SetWaitCursor(busy); });
}

void Viewer::RefreshFileLists() {
  storeViews_.Each([](StoreViewSink& v) { v.RefreshFileLists(); });
}

void Viewer::ShowFileList(FileListKind kind) {
  storeViews_.Each([kind](StoreViewSink& v) { v.ShowFileList(kind); });
}

void Viewer::ShowRoot(const std::string& root) {
  storeViews_.Each([&root](StoreViewSink& v) { v.ShowRoot(root); });
}
