#pragma once
// The pull-down menus of the six menu buttons, built afresh each time one
// opens. Which items stand where is this file's; each item's text, enabling
// and tick come from its command's row, and an item whose command this
// program does not have is left out. Each item carries its command id as
// its action's data.
#include <QMenu>
#include <memory>

#include "base/CommandTable.h"

// index 0..5: File, Edit, View, Play, Tool, Help; null for another index.
std::unique_ptr<QMenu> BuildPullDownMenu(int index, const CommandTable& commands, const CommandState& state,
                                         QWidget* parent);

// The two-item speed menu of the speed read-out (MX-H).
std::unique_ptr<QMenu> BuildSpeedMenu(const CommandTable& commands, const CommandState& state, QWidget* parent);
