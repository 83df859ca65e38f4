#pragma once
// The play, view, graph and file-list commands of the window, and the
// facts their enabling rules read.
#include "base/CommandTable.h"
#include "base/ViewLayout.h"
#include "recording/CardCatalogue.h"

struct AppState;
class CAppSetting;
class CMgrDBSearch;
class PlaybackEngine;

// The search window's part in the commands: the loads and the ticks of the
// visible list go through the window, which shows their outcome.
class SearchCommands {
 public:
  virtual ~SearchCommands() = default;
  virtual void LoadKind(FileListKind kind) = 0;
  virtual void SetAllChecked(bool checked) = 0;
};

struct PlaybackCommandContext {
  PlaybackEngine& engine;
  SearchCommands& search;
  // Where Continuous Play keeps its tick; without settings the item does
  // nothing.
  CAppSetting* settings = nullptr;
};

void AddPlaybackCommands(CommandTable& table, PlaybackCommandContext& context);

// The facts the enabling rules read, as they are now.
CommandState CommandStateOf(const AppState& app, const CMgrDBSearch& store, ViewLayout layout);
// The same with the model and speed source the menus tick. Those are read
// from the settings file, so only where a menu is built, not on every
// command.
CommandState CommandStateWithTicks(const AppState& app, const CMgrDBSearch& store, const CAppSetting& settings,
                                   ViewLayout layout);

// The Single View and 4x4 View buttons have no use in the log layout.
bool ViewButtonsShown(const CommandState& state);
