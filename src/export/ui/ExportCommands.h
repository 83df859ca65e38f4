#pragma once
// The export commands of the window: Save image, Save AVI, Print and Run
// Google Earth (buttons, File and Tool menu items, Ctrl+P). Each checks that
// there is something to export and opens its dialog over the loaded
// recordings.
#include <functional>

#include "base/CommandTable.h"
#include "export/ExportView.h"

class CAppSetting;
class CMgrDBSearch;
class DesktopOpener;
class Prompt;
class QWidget;

struct ExportCommandContext {
  QWidget* parent;
  CAppSetting& settings;
  Prompt& prompt;
  CMgrDBSearch& store;
  // Opens the KML file when the export is done and the box asks for it.
  DesktopOpener& desktop;
  // What the picture panes show now.
  std::function<ExportView()> view;
  // Stops video playback before a video export.
  std::function<void()> stopPlayback;
};

void AddExportCommands(CommandTable& table, ExportCommandContext& context);
