#pragma once
// The track formats a file of its own holds (GPX, CSV): what the window and
// korvane-cli need to offer one, and the writer that makes its text. Each
// format's file defines its constant below beside its writer; the list of
// them is TrackFormats(), which both programs turn into their commands.

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "export/ExportMessages.h"
#include "export/TrackWriter.h"

struct TrackFormat {
  std::string_view name;       // "GPX": the file chooser's filter
  std::string_view extension;  // ".gpx"
  LangText title;              // the progress box's title (section GUI) and the command's tool tip
  std::unique_ptr<TrackWriter> (*makeWriter)();
  // The command that offers the format, by the same name in the window's
  // command table and as korvane-cli's subcommand.
  const char* command;     // "export-gpx"
  int menuId;              // the Tool menu item
  LangText menu;           // section "PullDownMenu"
  const char* summary;     // korvane-cli's description of the command
  const char* outputHelp;  // and of its -o option

  static const TrackFormat kGpx;
  static const TrackFormat kCsv;
};

// Every track format, in the order the Tool menu offers them.
std::span<const TrackFormat* const> TrackFormats();

// "GPX (*.gpx)".
inline std::string FileFilterOf(const TrackFormat& format) {
  return std::string(format.name) + " (*" + std::string(format.extension) + ")";
}
