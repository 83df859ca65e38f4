#include "export/ui/ExportCommands.h"

#include <algorithm>

#include "base/CommandIds.h"
#include "export/ExportMessages.h"
#include "export/ui/DlgExportKxLog.h"
#include "export/ui/DlgSaveAVI.h"
#include "export/ui/DlgSaveJpeg.h"
#include "export/ui/ExportDialogParts.h"
#include "recording/InfoEventFile.h"
#include "recording/MgrDBSearch.h"

namespace {

using Context = ExportCommandContext;
using Row = CommandRow<Context>;

constexpr ExportMessage kMsgNoEventLoaded{"NoEventLoaded", "No Event is loaded"};
constexpr ExportMessage kMsgNoPreviewImg{"NoPreviewImg", "No Preview image"};
constexpr ExportMessage kMsgNoLoadedLog{"NoLoadedLog", "No Log is loaded."};

CInfoEventFile* CurrentVideo(const Context& c) {
  const int index = c.store.CurrentIndex();
  if (index < 0 || index >= static_cast<int>(c.store.Videos().size())) return nullptr;
  return c.store.Videos()[static_cast<size_t>(index)].get();
}

std::vector<unsigned char> LastComment(Context& c) {
  const CStreamImage& codec = c.store.StreamImage();
  if (codec.ComSegment() == nullptr || codec.ComSize() <= 0) return {};
  return {codec.ComSegment(), codec.ComSegment() + codec.ComSize()};
}

// What Save image and Save AVI check, playback stopped, before their
// dialog: a video is loaded, a frame is showing and the recording has frames.
CInfoEventFile* VideoToExport(Context& c, const ExportView& view, const ExportMessage& caption) {
  CInfoEventFile* recording = view.videoLoaded ? CurrentVideo(c) : nullptr;
  if (recording == nullptr) {
    ShowExportMessage(c.prompt, kMsgNoEventLoaded, caption);
    return nullptr;
  }
  if (!view.pictureShown) {
    ShowExportMessage(c.prompt, kMsgNoPreviewImg, caption);
    return nullptr;
  }
  return recording->FrameCount() >= 1 ? recording : nullptr;
}

void SaveImage(Context& c, int) {
  c.stopPlayback();
  const ExportView view = c.view();
  CInfoEventFile* recording = VideoToExport(c, view, kCaptionSaveJpeg);
  if (recording == nullptr) return;
  CDlgSaveJpeg dialog(*recording, ExportStartFrame(view), view.paneFrames, LastComment(c), c.settings, c.prompt,
                      c.parent);
  dialog.exec();
}

void SaveAvi(Context& c, int) {
  c.stopPlayback();
  const ExportView view = c.view();
  CInfoEventFile* recording = VideoToExport(c, view, kCaptionSaveAvi);
  if (recording == nullptr) return;
  AviExportSource source;
  for (size_t i = static_cast<size_t>(c.store.CurrentIndex()); i < c.store.Videos().size(); ++i)
    source.recordings.push_back(c.store.Videos()[i].get());
  source.startFrame = std::max(ExportFirstPaneFrame(view), 0);
  CDlgSaveAVI dialog(std::move(source), LastComment(c), c.store.PulseType(), c.settings, c.prompt, c.parent);
  dialog.exec();
}

void RunGoogleEarth(Context& c, int) {
  const ExportView view = c.view();
  if (!view.logLoaded || c.store.Logs().empty()) {
    ShowExportMessage(c.prompt, kMsgNoLoadedLog, kCaptionSaveLogFile);
    return;
  }
  std::vector<const CInfoLogFile*> logs;
  for (const auto& log : c.store.Logs()) logs.push_back(log.get());
  CDlgExportKxLog dialog(std::move(logs), view.logGraph, c.settings, c.prompt, c.desktop, c.parent);
  dialog.exec();
}

// clang-format off
const std::array kRows = {
    Row{"save-image", {kIdSaveImage, kIdToolSaveJpg},
        {"ToolSaveJpg", "Save Jpeg(&J)"}, {"SaveImage", "Save image"},
        CommandAlwaysEnabled, SaveImage},
    Row{"save-avi", {kIdSaveAvi, kIdToolSaveAvi},
        {"ToolSaveAvi", "Save AVI(&T)"}, {"SaveAvi", "Save AVI"},
        CommandAlwaysEnabled, SaveAvi},
    Row{"google-earth", {kIdGoogleEarth, kIdToolConvertKml},
        {"ToolConvertKml", "Run Google Earth(&L)"}, {"GoogleEarth", "Run Google Earth"},
        CommandAlwaysEnabled, RunGoogleEarth},
};
// clang-format on

}  // namespace

void AddExportCommands(CommandTable& table, ExportCommandContext& context) { table.AddRows(kRows, context); }
