#pragma once
// The export commands of the window: Save image, Save AVI, Save MP4, Print, Run
// Google Earth, Export GPX and Export CSV (buttons, File and Tool menu
// items, Ctrl+P). Each checks that there is something to export, says what
// is missing when there is not, and otherwise opens its dialog through the
// launcher over the loaded recordings.
#include <functional>
#include <string>
#include <vector>

#include "base/CommandTable.h"
#include "export/AviExportJob.h"
#include "export/ExportView.h"
#include "export/TrackFormat.h"
#include "export/TrackSource.h"

class CAppSetting;
class CInfoEventFile;
class CInfoLogFile;
class CMgrDBSearch;
class GSensorGraphModel;
class Prompt;

// The export dialogs, opened once the command's checks passed; each runs
// until the user closes it.
class ExportDialogLauncher {
 public:
  virtual ~ExportDialogLauncher() = default;
  // comment: the comment block of the frame shown, for the frame rate list.
  virtual void SaveImages(CInfoEventFile& recording, int startFrame, const std::vector<int>& paneFrames,
                          const std::vector<unsigned char>& comment) = 0;
  virtual void SaveAvi(AviExportSource source, const std::vector<unsigned char>& comment, int pulseType) = 0;
  virtual void SaveMp4(AviExportSource source, int pulseType) = 0;
  // The frames are chosen first, then shown in the preview that prints them.
  virtual void PrintImages(CInfoEventFile& recording, int startFrame, const std::vector<int>& paneFrames,
                           const std::vector<unsigned char>& comment, int model, int pulseType) = 0;
  virtual void ExportKml(std::vector<const CInfoLogFile*> logs, const GSensorGraphModel* logGraph) = 0;
  virtual void ExportTrack(const TrackFormat& format, const std::string& path, std::vector<TrackSource> sources,
                           int pulseType) = 0;
};

struct ExportCommandContext {
  CAppSetting& settings;
  Prompt& prompt;
  CMgrDBSearch& store;
  ExportDialogLauncher& dialogs;
  // What the picture panes show now.
  std::function<ExportView()> view;
  // Stops video playback before a video export.
  std::function<void()> stopPlayback;
};

void AddExportCommands(CommandTable& table, ExportCommandContext& context);
