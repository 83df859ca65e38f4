#include "shell/MainCommands.h"

#include "base/CommandIds.h"
#include "base/DisplaySpeed.h"
#include "base/ModelTable.h"

namespace {

using Context = MainWindowActions;
using Row = CommandRow<Context>;

bool ModelChosen(const CommandState& state, int modelId) { return state.currentModel == modelId; }
bool GpsSpeedChosen(const CommandState& state, int /*source*/) { return state.displaySpeed != kDisplaySpeedPulse; }
bool PulseSpeedChosen(const CommandState& state, int /*source*/) { return state.displaySpeed == kDisplaySpeedPulse; }
bool KmhChosen(const CommandState& state, int /*unit*/) { return !state.speedInMph; }
bool MphChosen(const CommandState& state, int /*unit*/) { return state.speedInMph; }
void ChooseUnit(Context& window, int unit) { window.ChooseSpeedUnit(static_cast<SpeedUnit>(unit)); }

void OpenMenu(Context& window, int index) { window.OpenMenu(index); }

// clang-format off
const std::array kRows = {
    Row{"help", {kIdAbout, kIdHelpHelp, kIdAccelHelp},
        {"HelpHelp", "Help(&H)"}, {"About", "About"},
        CommandAlwaysEnabled, [](Context& w, int) { w.OpenHelp(); }},
    Row{"minimize", {kIdMinimize},
        {}, {"Minimize", "Minimize"},
        CommandAlwaysEnabled, [](Context& w, int) { w.Minimize(); }},
    Row{"exit", {kIdExit, kIdFileExit, kIdAccelExit},
        {"FileExit", "Exit(&X)"}, {"Exit", "Exit"},
        CommandAlwaysEnabled, [](Context& w, int) { w.Exit(); }},
    Row{"open", {kIdOpen, kIdFileSelectFolder, kIdAccelOpen},
        {"FileSelectFolder", "Select Data Folder(&O)"}, {"Open", "Open"},
        CommandAlwaysEnabled, [](Context& w, int) { w.OpenFolder(); }},
    Row{"homepage", {kIdHomepage, kIdHelpHomepage},
        {"HelpHomepage", "Homepage(&U)"}, {"GotoHomepage", "Homepage"},
        CommandAlwaysEnabled, [](Context& w, int) { w.OpenHomepage(); }},
    Row{"version", {kIdHelpVersion},
        {"HelpVersion", "Version(&A)"}, {},
        CommandAlwaysEnabled, [](Context& w, int) { w.ShowVersion(); }},
    Row{"menu-file", {kIdMenuFile, kIdAccelMenuFile}, {}, {}, CommandAlwaysEnabled, OpenMenu, 0},
    Row{"menu-edit", {kIdMenuFile + 1, kIdAccelMenuEdit}, {}, {}, CommandAlwaysEnabled, OpenMenu, 1},
    Row{"menu-view", {kIdMenuFile + 2, kIdAccelMenuView}, {}, {}, CommandAlwaysEnabled, OpenMenu, 2},
    Row{"menu-play", {kIdMenuFile + 3, kIdAccelMenuPlay}, {}, {}, CommandAlwaysEnabled, OpenMenu, 3},
    Row{"menu-tool", {kIdMenuFile + 4, kIdAccelMenuTool}, {}, {}, CommandAlwaysEnabled, OpenMenu, 4},
    Row{"menu-help", {kIdMenuHelp, kIdAccelMenuHelp}, {}, {}, CommandAlwaysEnabled, OpenMenu, 5},
    Row{"speed-gps", {kIdToolSpeedGps, kIdSpeedMenuGps},
        {"ToolSpeedGPS", "GPS Speed(&G)"}, {},
        CommandAlwaysEnabled, [](Context& w, int source) { w.ChooseSpeedSource(source); },
        kDisplaySpeedGps, GpsSpeedChosen},
    Row{"speed-pulse", {kIdToolSpeedPulse, kIdSpeedMenuPulse},
        {"ToolSpeedPulse", "Car Pulse(&C)"}, {},
        CommandAlwaysEnabled, [](Context& w, int source) { w.ChooseSpeedSource(source); },
        kDisplaySpeedPulse, PulseSpeedChosen},
    Row{"speed-unit-kmh", {kIdViewSpeedKmh},
        {"ViewSpeedUnitKmh", "km/h(&K)"}, {},
        CommandAlwaysEnabled, ChooseUnit, static_cast<int>(SpeedUnit::kKmh), KmhChosen},
    Row{"speed-unit-mph", {kIdViewSpeedMph},
        {"ViewSpeedUnitMph", "mph(&M)"}, {},
        CommandAlwaysEnabled, ChooseUnit, static_cast<int>(SpeedUnit::kMph), MphChosen},
};
// clang-format on

}  // namespace

void AddMainCommands(CommandTable& table, MainWindowActions& actions) {
  table.AddRows(kRows, actions);
  // One row per model of the model table, its id riding along.
  for (const ModelEntry& model : ModelTable()) {
    const Row row{model.commandName,
                  {ModelItemId(model.modelId)},
                  {model.commandName, model.menuDefault},
                  {},
                  CommandAlwaysEnabled,
                  [](Context& w, int modelId) { w.ChooseModel(modelId); },
                  model.modelId,
                  ModelChosen};
    table.Add(row, actions);
  }
}

int ModelItemId(int modelId) {
  // The model items are in menu order: MX-A .. MX-G, then MX-H on its own id.
  const auto models = ModelTable();
  for (size_t i = 0; i < models.size(); ++i) {
    if (models[i].modelId != modelId) continue;
    return modelId == kMxHModelId ? kIdToolModelMxH : kIdToolModelFirst + static_cast<int>(i);
  }
  return 0;
}
