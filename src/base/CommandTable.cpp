#include "base/CommandTable.h"

#include <algorithm>
#include <stdexcept>

namespace {

constexpr std::string_view kMenuSection = "PullDownMenu";
constexpr std::string_view kTipSection = "ToolTip";

}  // namespace

bool CommandAlwaysEnabled(const CommandState& /*state*/) { return true; }

void CommandTable::Add(Command command) {
  for (int id : command.ids) {
    if (const Command* other = Find(id))
      throw std::logic_error("command id " + std::to_string(id) + " of " + command.name + " already reaches " +
                             other->name);
  }
  commands_.push_back(std::move(command));
}

const Command* CommandTable::Find(int id) const {
  for (const Command& command : commands_) {
    if (std::find(command.ids.begin(), command.ids.end(), id) != command.ids.end()) return &command;
  }
  return nullptr;
}

const Command* CommandTable::FindByName(std::string_view name) const {
  for (const Command& command : commands_)
    if (command.name == name) return &command;
  return nullptr;
}

bool CommandTable::IsEnabled(int id, const CommandState& state) const {
  const Command* command = Find(id);
  return command && command->enabled(state);
}

bool CommandTable::IsShown(int id, const CommandState& state) const {
  const Command* command = Find(id);
  return command && (!command->shown || command->shown(state));
}

bool CommandTable::IsChecked(int id, const CommandState& state) const {
  const Command* command = Find(id);
  return command && command->checked && command->checked(state, command->argument);
}

bool CommandTable::Run(int id, const CommandState& state) const {
  const Command* command = Find(id);
  if (!command || !command->enabled(state)) return false;
  command->run();
  return true;
}

std::string CommandTable::MenuText(int id) const {
  const Command* command = Find(id);
  return command ? TextIn(kMenuSection, command->menu) : std::string();
}

std::string CommandTable::TipText(int id) const {
  const Command* command = Find(id);
  return command ? TextIn(kTipSection, command->tip) : std::string();
}
