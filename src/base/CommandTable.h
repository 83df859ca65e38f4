#pragma once
// The window's commands, one row each: the name, the ids that reach it
// (skin button, menu items, accelerators), its menu and tooltip texts, when
// it is enabled and what it does. Each subsystem keeps its rows in a file of
// its own and adds them with the context its handlers work on; buttons,
// menus and keys look the command up here by id.
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/CommandState.h"
#include "base/LangText.h"

using CommandEnabledRule = bool (*)(const CommandState&);
using CommandCheckedRule = bool (*)(const CommandState&, int argument);

bool CommandAlwaysEnabled(const CommandState&);

inline constexpr size_t kMaxIdsPerCommand = 4;

template <class Context>
struct CommandRow {
  const char* name;
  std::array<int, kMaxIdsPerCommand> ids;  // unused places are 0
  LangText menu;                           // section "PullDownMenu"
  LangText tip;                            // section "ToolTip"
  CommandEnabledRule enabled;
  void (*run)(Context&, int argument);
  int argument = 0;
  CommandCheckedRule checked = nullptr;  // a menu item with a tick when set
  CommandEnabledRule shown = nullptr;    // always shown when not set
};

// A row with its handler bound to its subsystem's context.
struct Command {
  std::string name;
  std::vector<int> ids;
  LangText menu;
  LangText tip;
  CommandEnabledRule enabled = CommandAlwaysEnabled;
  CommandCheckedRule checked = nullptr;
  CommandEnabledRule shown = nullptr;
  int argument = 0;
  std::function<void()> run;
};

class CommandTable {
 public:
  template <class Context, size_t N>
  void AddRows(const std::array<CommandRow<Context>, N>& rows, Context& context) {
    for (const CommandRow<Context>& row : rows) Add(row, context);
  }

  template <class Context>
  void Add(const CommandRow<Context>& row, Context& context) {
    Command command;
    command.name = row.name;
    for (int id : row.ids)
      if (id != 0) command.ids.push_back(id);
    command.menu = row.menu;
    command.tip = row.tip;
    command.enabled = row.enabled;
    command.checked = row.checked;
    command.shown = row.shown;
    command.argument = row.argument;
    command.run = [run = row.run, &context, argument = row.argument] { run(context, argument); };
    Add(std::move(command));
  }

  // Throws std::logic_error when an id already belongs to another command:
  // a key or button must never reach two commands.
  void Add(Command command);

  // The command an id reaches; null for an id no command has (yet).
  const Command* Find(int id) const;
  const Command* FindByName(std::string_view name) const;
  const std::vector<Command>& Commands() const { return commands_; }

  // False for an id without a command.
  bool IsEnabled(int id, const CommandState& state) const;
  bool IsShown(int id, const CommandState& state) const;
  bool IsChecked(int id, const CommandState& state) const;
  // Runs the command of id when it is enabled in state; false otherwise.
  bool Run(int id, const CommandState& state) const;

  // The texts in the current language; empty for an id without a command or
  // a command without that text.
  std::string MenuText(int id) const;
  std::string TipText(int id) const;

 private:
  std::vector<Command> commands_;
};
