#include "shell/MainCommands.h"

#include <array>
#include <utility>

#include "base/AppState.h"
#include "base/ModelTable.h"

namespace {

using C = MainCommand;

constexpr std::array kFixedIds = {
    std::pair{kIdAbout, C::kHelp},
    std::pair{kIdHelpHelp, C::kHelp},
    std::pair{kIdAccelHelp, C::kHelp},
    std::pair{kIdMinimize, C::kMinimize},
    std::pair{kIdExit, C::kExit},
    std::pair{kIdFileExit, C::kExit},
    std::pair{kIdAccelExit, C::kExit},
    std::pair{kIdOpen, C::kOpen},
    std::pair{kIdFileSelectFolder, C::kOpen},
    std::pair{kIdAccelOpen, C::kOpen},
    std::pair{kIdSaveImage, C::kSaveImage},
    std::pair{kIdToolSaveJpg, C::kSaveImage},
    std::pair{kIdPrintImage, C::kPrintImage},
    std::pair{kIdFilePrint, C::kPrintImage},
    std::pair{kIdAccelPrint, C::kPrintImage},
    std::pair{kIdSaveAvi, C::kSaveAvi},
    std::pair{kIdToolSaveAvi, C::kSaveAvi},
    std::pair{kIdBackup, C::kBackup},
    std::pair{kIdToolBackup, C::kBackup},
    std::pair{kIdSetup, C::kSetup},
    std::pair{kIdToolSetting, C::kSetup},
    std::pair{kIdGoogleEarth, C::kGoogleEarth},
    std::pair{kIdToolConvertKml, C::kGoogleEarth},
    std::pair{kIdHomepage, C::kHomepage},
    std::pair{kIdHelpHomepage, C::kHomepage},
    std::pair{kIdBackFast, C::kFastReverse},
    std::pair{kIdPlayFastReverse, C::kFastReverse},
    std::pair{kIdAccelFastReverse, C::kFastReverse},
    std::pair{kIdPrevious, C::kPrevious},
    std::pair{kIdPlayPreviousFrame, C::kPrevious},
    std::pair{kIdAccelLeft, C::kPrevious},
    std::pair{kIdAccelPreviousFrame, C::kPrevious},
    std::pair{kIdBackPlay, C::kReversePlay},
    std::pair{kIdPlayReversePlay, C::kReversePlay},
    std::pair{kIdAccelReversePlay, C::kReversePlay},
    std::pair{kIdPause, C::kStop},
    std::pair{kIdPlayStop, C::kStop},
    std::pair{kIdAccelStop, C::kStop},
    std::pair{kIdPlay, C::kPlay},
    std::pair{kIdPlayPlay, C::kPlay},
    std::pair{kIdAccelPlay, C::kPlay},
    std::pair{kIdNext, C::kNext},
    std::pair{kIdPlayNextFrame, C::kNext},
    std::pair{kIdAccelRight, C::kNext},
    std::pair{kIdAccelNextFrame, C::kNext},
    std::pair{kIdPlayFast, C::kFastPlay},
    std::pair{kIdPlayFastPlay, C::kFastPlay},
    std::pair{kIdAccelFastPlay, C::kFastPlay},
    std::pair{kIdSingleView, C::kSingleView},
    std::pair{kIdViewLayoutSingle, C::kSingleView},
    std::pair{kIdThumbView, C::kThumbView},
    std::pair{kIdViewLayoutThumb, C::kThumbView},
    std::pair{kIdZoomIn, C::kZoomIn},
    std::pair{kIdZoomOut, C::kZoomOut},
    std::pair{kIdDefaultGraph, C::kZoomDefault},
    std::pair{kIdMenuFile, C::kMenuFile},
    std::pair{kIdMenuFile + 1, C::kMenuEdit},
    std::pair{kIdMenuFile + 2, C::kMenuView},
    std::pair{kIdMenuFile + 3, C::kMenuPlay},
    std::pair{kIdMenuFile + 4, C::kMenuTool},
    std::pair{kIdMenuHelp, C::kMenuHelp},
    std::pair{kIdAccelMenuFile, C::kMenuFile},
    std::pair{kIdAccelMenuEdit, C::kMenuEdit},
    std::pair{kIdAccelMenuView, C::kMenuView},
    std::pair{kIdAccelMenuPlay, C::kMenuPlay},
    std::pair{kIdAccelMenuTool, C::kMenuTool},
    std::pair{kIdAccelMenuHelp, C::kMenuHelp},
    std::pair{kIdFileLoadEvent, C::kLoadEvent},
    std::pair{kIdAccelLoadEvent, C::kLoadEvent},
    std::pair{kIdFileLoadNormal, C::kLoadNormal},
    std::pair{kIdFileLoadLog, C::kLoadLog},
    std::pair{kIdAccelLoadLog, C::kLoadLog},
    std::pair{kIdFileList, C::kFileList},
    std::pair{kIdEditSelectAll, C::kSelectAll},
    std::pair{kIdAccelSelectAll, C::kSelectAll},
    std::pair{kIdEditUnselectAll, C::kUnselectAll},
    std::pair{kIdAccelUnselectAll, C::kUnselectAll},
    std::pair{kIdViewScale1, C::kScale1},
    std::pair{kIdViewScale2, C::kScale2},
    std::pair{kIdViewScale3, C::kScale3},
    std::pair{kIdViewScale4, C::kScale4},
    std::pair{kIdToolSpeedGps, C::kSpeedGps},
    std::pair{kIdSpeedMenuGps, C::kSpeedGps},
    std::pair{kIdToolSpeedPulse, C::kSpeedPulse},
    std::pair{kIdSpeedMenuPulse, C::kSpeedPulse},
    std::pair{kIdToolSdInit, C::kSdInit},
    std::pair{kIdHelpVersion, C::kVersion},
};

}  // namespace

CommandOf CommandForId(int id) {
  for (const auto& [fixedId, command] : kFixedIds) {
    if (fixedId == id) return CommandOf{command};
  }
  for (const MODELENTRY& model : ModelTable()) {
    if (ModelItemId(model.modelId) == id) return CommandOf{C::kModel, model.modelId};
  }
  return CommandOf{};
}

int ModelItemId(int modelId) {
  // The model items are in menu order: MX-A .. MX-G, then MX-H on its own id.
  const auto models = ModelTable();
  for (size_t i = 0; i < models.size(); ++i) {
    if (models[i].modelId != modelId) continue;
    return modelId == kHLayoutModelId ? kIdToolModelMXH : kIdToolModelFirst + static_cast<int>(i);
  }
  return 0;
}

MenuState MenuStateFor(int viewMode, bool videoLoaded, bool logLoaded, bool cardHasLogs) {
  MenuState state;
  state.fileListEnabled = videoLoaded || logLoaded;
  state.printEnabled = state.fileListEnabled && (viewMode == kViewModeEvent || viewMode == kViewModeNormal);
  state.loadLogPresent = cardHasLogs;
  return state;
}
