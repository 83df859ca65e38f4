#pragma once
// The pull-down menus of the six menu buttons, built afresh each time one
// opens so that every item shows the loaded state. Each item carries its
// command id as its action's data.
#include <QMenu>
#include <memory>
#include <vector>

#include "shell/MainCommands.h"

struct MenuContext {
  MenuState state;
  int currentModel = 0;
  int displaySpeed = 0;
  // Commands whose work is not part of this program yet: shown disabled.
  std::vector<MainCommand> unavailable;
};

// index 0..5: File, Edit, View, Play, Tool, Help; null for another index.
std::unique_ptr<QMenu> BuildPullDownMenu(int index, const MenuContext& context, QWidget* parent);

// The two-item speed menu of the speed read-out (model 9).
std::unique_ptr<QMenu> BuildSpeedMenu(int displaySpeed, QWidget* parent);
