#pragma once
// The main frame's own commands: the window, the menus, the folder, help
// and version, the model, the speed source and the speed unit.
#include "base/CommandIds.h"
#include "base/CommandTable.h"
#include "telemetry/SpeedUnit.h"

// What the main frame does for them; the window implements it.
class MainWindowActions {
 public:
  virtual ~MainWindowActions() = default;
  virtual void Minimize() = 0;
  virtual void Exit() = 0;
  virtual void OpenFolder() = 0;
  // index 0..5: File, Edit, View, Play, Tool, Help.
  virtual void OpenMenu(int index) = 0;
  virtual void OpenHelp() = 0;
  virtual void OpenHomepage() = 0;
  virtual void ShowVersion() = 0;
  virtual void ChooseModel(int modelId) = 0;
  virtual void ChooseSpeedSource(int source) = 0;
  virtual void ChooseSpeedUnit(SpeedUnit unit) = 0;
};

void AddMainCommands(CommandTable& table, MainWindowActions& actions);

// The Model Select item of a model id; 0 for an id outside the model table.
int ModelItemId(int modelId);
