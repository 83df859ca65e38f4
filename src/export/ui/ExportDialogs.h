#pragma once
// The window's export dialogs, opened modal over the panel when an export
// command's checks have passed.
#include "export/ExportCommands.h"

class CAppSetting;
class DesktopOpener;
class Prompt;
class QWidget;

class QtExportDialogLauncher final : public ExportDialogLauncher {
 public:
  // desktop opens the KML file when the export is done and the box asks for it.
  QtExportDialogLauncher(QWidget* parent, CAppSetting& settings, Prompt& prompt, DesktopOpener& desktop)
      : parent_(parent), settings_(settings), prompt_(prompt), desktop_(desktop) {}

  void SaveImages(CInfoEventFile& recording, int startFrame, const std::vector<int>& paneFrames,
                  const std::vector<unsigned char>& comment) override;
  void SaveAvi(AviExportSource source, const std::vector<unsigned char>& comment, int pulseType) override;
  void SaveMp4(AviExportSource source, int pulseType) override;
  void PrintImages(CInfoEventFile& recording, int startFrame, const std::vector<int>& paneFrames,
                   const std::vector<unsigned char>& comment, int model, int pulseType) override;
  void ExportKml(std::vector<const CInfoLogFile*> logs, const GSensorGraphModel* logGraph) override;
  void ExportTrack(const TrackFormat& format, const std::string& path, std::vector<TrackSource> sources,
                   int pulseType) override;

 private:
  QWidget* parent_;
  CAppSetting& settings_;
  Prompt& prompt_;
  DesktopOpener& desktop_;
};
