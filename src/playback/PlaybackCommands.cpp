#include "playback/PlaybackCommands.h"

#include "base/AppSetting.h"
#include "base/AppState.h"
#include "base/CommandIds.h"
#include "playback/PlaybackEngine.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/SpeedSource.h"

namespace {

using Context = PlaybackCommandContext;
using Row = CommandRow<Context>;

bool DataLoaded(const CommandState& state) { return state.DataLoaded(); }
bool ThumbnailShown(const CommandState& state) { return state.layout == kLayoutThumbnail; }
bool SingleWithVideo(const CommandState& state) { return state.videoLoaded && state.layout == kLayoutSingle; }
bool CardHasLogs(const CommandState& state) { return state.cardHasLogs; }
bool VideoLoaded(const CommandState& state) { return state.videoLoaded; }
bool ContinuousPlayTicked(const CommandState& state, int /*argument*/) { return state.continuousPlay; }

void ToggleContinuousPlay(PlaybackCommandContext& c, int /*argument*/) {
  if (c.settings != nullptr) c.settings->SetContinuousPlay(!c.settings->ContinuousPlay());
}

// clang-format off
const std::array kRows = {
    Row{"fast-reverse", {kIdBackFast, kIdPlayFastReverse, kIdAccelFastReverse},
        {"PlayFastReverse", "Fast Reverse Play(&R)"}, {"BackFast", "Fast back play"},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.FastReverse(); }},
    Row{"previous-frame", {kIdPrevious, kIdPlayPreviousFrame, kIdAccelLeft, kIdAccelPreviousFrame},
        {"PlayPreviousFrame", "Previous Frame(&P)"}, {"Previous", "Previous frame"},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.Previous(); }},
    Row{"reverse-play", {kIdBackPlay, kIdPlayReversePlay, kIdAccelReversePlay},
        {"PlayReversePlay", "Reverse Play(&B)"}, {"BackPlay", "Back play"},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.ReversePlay(); }},
    Row{"stop", {kIdPause, kIdPlayStop, kIdAccelStop},
        {"PlayStop", "Stop(&S)"}, {"Pause", "Pause"},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.Stop(); }},
    Row{"play", {kIdPlay, kIdPlayPlay, kIdAccelPlay},
        {"PlayPlay", "Play(&Y)"}, {"Play", "Play"},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.Play(); }},
    Row{"next-frame", {kIdNext, kIdPlayNextFrame, kIdAccelRight, kIdAccelNextFrame},
        {"PlayNextFrame", "Next Frame(&N)"}, {"Next", "Next frame"},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.Next(); }},
    Row{"fast-play", {kIdPlayFast, kIdPlayFastPlay, kIdAccelFastPlay},
        {"PlayFastPlay", "Fast Play(&A)"}, {"PlayFast", "Fast Play"},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.FastPlay(); }},
    Row{"next-event", {kIdPlayNextEvent, kIdAccelNextEvent},
        {"PlayNextEvent", "Next Event(&E)"}, {},
        VideoLoaded, [](Context& c, int) { c.engine.NextEvent(); }},
    Row{"previous-event", {kIdPlayPreviousEvent, kIdAccelPreviousEvent},
        {"PlayPreviousEvent", "Previous Event(&V)"}, {},
        VideoLoaded, [](Context& c, int) { c.engine.PreviousEvent(); }},
    Row{"continuous-play", {kIdPlayContinuous},
        {"PlayContinuous", "Continuous Play(&C)"}, {},
        CommandAlwaysEnabled, ToggleContinuousPlay, 0, ContinuousPlayTicked},
    Row{"single-view", {kIdSingleView, kIdViewLayoutSingle},
        {"ViewLayoutSingle", "Single view(&S)"}, {"SingleView", "Single View"},
        ThumbnailShown, [](Context& c, int) { c.engine.SetLayout(kLayoutSingle); }},
    Row{"thumbnail-view", {kIdThumbView, kIdViewLayoutThumb},
        {"ViewLayoutThumb", "Thumbnail view(&D)"}, {"4x4View", "4x4 View"},
        SingleWithVideo, [](Context& c, int) { c.engine.SetLayout(kLayoutThumbnail); }},
    Row{"zoom-in", {kIdZoomIn},
        {}, {"ZoomIn", "Zoom in graph"},
        DataLoaded, [](Context& c, int) { c.engine.ZoomIn(); }},
    Row{"zoom-out", {kIdZoomOut},
        {}, {"ZoomOut", "Zoom out graph"},
        DataLoaded, [](Context& c, int) { c.engine.ZoomOut(); }},
    Row{"zoom-default", {kIdDefaultGraph},
        {}, {"Default", "Default graph"},
        DataLoaded, [](Context& c, int) { c.engine.ZoomDefault(); }},
    Row{"scale-1", {kIdViewScale1},
        {"ViewGSgraphScale1", "Scale 1(&1)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.SetScale(1); }},
    Row{"scale-2", {kIdViewScale2},
        {"ViewGSgraphScale2", "Scale 2(&2)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.SetScale(2); }},
    Row{"scale-3", {kIdViewScale3},
        {"ViewGSgraphScale3", "Scale 3(&3)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.SetScale(3); }},
    Row{"scale-4", {kIdViewScale4},
        {"ViewGSgraphScale4", "Scale 4(&4)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.engine.SetScale(4); }},
    Row{"load-event", {kIdFileLoadEvent, kIdAccelLoadEvent},
        {"FileLoadEvent", "Event(&E)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.search.LoadKind(FileListKind::kEvent); }},
    Row{"load-normal", {kIdFileLoadNormal},
        {"FileLoadNormal", "Normal(&N)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.search.LoadKind(FileListKind::kNormal); }},
    Row{"load-log", {kIdFileLoadLog, kIdAccelLoadLog},
        {"FileLoadLog", "Log(&L)"}, {},
        CardHasLogs, [](Context& c, int) { c.search.LoadKind(FileListKind::kLog); },
        0, nullptr, CardHasLogs},
    Row{"file-list", {kIdFileList},
        {"FileList", "Display File List(&F)"}, {},
        DataLoaded, [](Context& c, int) { c.engine.Close(); }},
    Row{"select-all", {kIdEditSelectAll, kIdAccelSelectAll},
        {"EditSelectAll", "Select All(&S)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.search.SetAllChecked(true); }},
    Row{"unselect-all", {kIdEditUnselectAll, kIdAccelUnselectAll},
        {"EditUnselectAll", "Unselect All(&U)"}, {},
        CommandAlwaysEnabled, [](Context& c, int) { c.search.SetAllChecked(false); }},
};
// clang-format on

}  // namespace

void AddPlaybackCommands(CommandTable& table, PlaybackCommandContext& context) { table.AddRows(kRows, context); }

CommandState CommandStateOf(const AppState& app, const CMgrDBSearch& store, ViewLayout layout) {
  CommandState state;
  state.viewMode = app.viewMode;
  const bool videoMode = app.viewMode == kViewModeEvent || app.viewMode == kViewModeNormal;
  state.videoLoaded = videoMode && !store.Videos().empty();
  state.logLoaded = app.viewMode == kViewModeLog && !store.Logs().empty();
  state.cardHasLogs = app.hasLogs;
  state.layout = layout;
  return state;
}

CommandState CommandStateWithTicks(const AppState& app, const CMgrDBSearch& store, const CAppSetting& settings,
                                   ViewLayout layout) {
  CommandState state = CommandStateOf(app, store, layout);
  state.currentModel = settings.GetCurrentModel();
  state.displaySpeed = settings.GetDisplaySpeed();
  state.continuousPlay = settings.ContinuousPlay();
  state.speedInMph = SpeedUnitOf(settings) == SpeedUnit::kMph;
  return state;
}

bool ViewButtonsShown(const CommandState& state) {
  return !(state.layout == kLayoutLog && state.viewMode == kViewModeLog);
}
