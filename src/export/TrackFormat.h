#pragma once
// The track formats a file of its own holds (GPX, CSV): what the window and
// korvane-cli need to offer one, and the writer that makes its text. Each
// format's file defines its constant below beside its writer.

#include <memory>
#include <string>
#include <string_view>

#include "export/ExportMessages.h"
#include "export/TrackWriter.h"

struct TrackFormat {
  std::string_view name;       // "GPX": the file chooser's filter
  std::string_view extension;  // ".gpx"
  LangText title;              // the progress box's title (section GUI)
  std::unique_ptr<TrackWriter> (*makeWriter)();

  static const TrackFormat kGpx;
  static const TrackFormat kCsv;
};

// "GPX (*.gpx)".
inline std::string FileFilterOf(const TrackFormat& format) {
  return std::string(format.name) + " (*" + std::string(format.extension) + ")";
}
