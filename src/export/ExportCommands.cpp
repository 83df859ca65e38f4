#include "export/ExportCommands.h"

#include <algorithm>
#include <filesystem>
#include <optional>

#include "base/AppSetting.h"
#include "base/CommandIds.h"
#include "export/ExportMessages.h"
#include "export/Mp4ExportJob.h"
#include "export/TrackExportJob.h"
#include "platform/Prompt.h"
#include "recording/InfoEventFile.h"
#include "recording/MgrDBSearch.h"

namespace {

using Context = ExportCommandContext;
using Row = CommandRow<Context>;

constexpr LangText kMsgNoPreviewImg{"NoPreviewImg", "No Preview image"};
constexpr LangText kMsgNoLoadedLog{"NoLoadedLog", "No Log is loaded."};

CInfoEventFile* CurrentVideo(const Context& c) {
  const int index = c.store.CurrentIndex();
  if (index < 0 || index >= static_cast<int>(c.store.Videos().size())) return nullptr;
  return c.store.Videos()[static_cast<size_t>(index)].get();
}

const std::vector<unsigned char>& ShownComment(const Context& c) { return c.store.Shown().comment; }

// What Save image and Save AVI check, playback stopped, before their
// dialog: a video is loaded, a frame is showing and the recording has frames.
CInfoEventFile* VideoToExport(Context& c, const ExportView& view, const LangText& caption) {
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
  c.dialogs.SaveImages(*recording, ExportStartFrame(view), view.paneFrames, ShownComment(c));
}

// The current recording and the loaded ones after it, from the first
// pane's frame: what a film may hold.
std::optional<AviExportSource> FilmSource(Context& c, const LangText& caption) {
  c.stopPlayback();
  const ExportView view = c.view();
  CInfoEventFile* recording = VideoToExport(c, view, caption);
  if (recording == nullptr) return std::nullopt;
  AviExportSource source;
  for (size_t i = static_cast<size_t>(c.store.CurrentIndex()); i < c.store.Videos().size(); ++i)
    source.recordings.push_back(c.store.Videos()[i].get());
  source.startFrame = std::max(ExportFirstPaneFrame(view), 0);
  return source;
}

void SaveAvi(Context& c, int) {
  std::optional<AviExportSource> source = FilmSource(c, kCaptionSaveAvi);
  if (source) c.dialogs.SaveAvi(std::move(*source), ShownComment(c), c.store.PulseType());
}

void SaveMp4(Context& c, int) {
  std::optional<AviExportSource> source = FilmSource(c, kCaptionSaveMp4);
  if (source) c.dialogs.SaveMp4(std::move(*source), c.store.PulseType());
}

void PrintImages(Context& c, int) {
  c.stopPlayback();
  const ExportView view = c.view();
  CInfoEventFile* recording = view.videoLoaded ? CurrentVideo(c) : nullptr;
  if (recording == nullptr) {
    ShowExportMessage(c.prompt, kMsgNoEventLoaded, kCaptionPrintImage);
    return;
  }
  if (recording->FrameCount() < 1) return;
  c.dialogs.PrintImages(*recording, ExportStartFrame(view), view.paneFrames, ShownComment(c),
                        c.settings.GetCurrentModel(), c.store.PulseType());
}

void RunGoogleEarth(Context& c, int) {
  const ExportView view = c.view();
  if (!view.logLoaded || c.store.Logs().empty()) {
    ShowExportMessage(c.prompt, kMsgNoLoadedLog, kCaptionSaveLogFile);
    return;
  }
  std::vector<const CInfoLogFile*> logs;
  for (const auto& log : c.store.Logs()) logs.push_back(log.get());
  c.dialogs.ExportKml(std::move(logs), view.logGraph);
}

// The loaded video recordings, else the loaded logs, in their list order.
std::vector<TrackSource> TrackSources(Context& c, const ExportView& view) {
  std::vector<TrackSource> sources;
  auto nameOf = [](const std::string& path) { return std::filesystem::path(path).filename().string(); };
  if (view.videoLoaded) {
    for (const auto& video : c.store.Videos()) sources.push_back({nameOf(video->DataFilePath()), video.get(), nullptr});
  } else if (view.logLoaded) {
    for (const auto& log : c.store.Logs()) sources.push_back({nameOf(log->Path()), nullptr, log.get()});
  }
  return sources;
}

void ExportTrack(Context& c, const TrackFormat& format) {
  c.stopPlayback();
  const ExportView view = c.view();
  std::vector<TrackSource> sources = TrackSources(c, view);
  if (sources.empty()) {
    ShowExportMessage(c.prompt, kMsgNoEventLoaded, kCaptionSaveTrack);
    return;
  }
  const std::filesystem::path start =
      std::filesystem::path(c.settings.SaveTrackFolder()) /
      (std::filesystem::path(sources.front().name).stem().string() + std::string(format.extension));
  const std::optional<std::string> path =
      c.prompt.PickSaveFile(GuiText(kCaptionSaveTrack), start.string(), FileFilterOf(format));
  if (!path) return;
  c.settings.SetSaveTrackFolder(std::filesystem::path(*path).parent_path().string());
  c.dialogs.ExportTrack(format, *path, std::move(sources), c.store.PulseType());
}

// argument: the format's place in TrackFormats().
void ExportTrackAt(Context& c, int argument) { ExportTrack(c, *TrackFormats()[static_cast<size_t>(argument)]); }

// clang-format off
const std::array kRows = {
    Row{"save-image", {kIdSaveImage, kIdToolSaveJpg},
        {"ToolSaveJpg", "Save Jpeg(&J)"}, {"SaveImage", "Save image"},
        CommandAlwaysEnabled, SaveImage},
    Row{"save-avi", {kIdSaveAvi, kIdToolSaveAvi},
        {"ToolSaveAvi", "Save AVI(&T)"}, {"SaveAvi", "Save AVI"},
        CommandAlwaysEnabled, SaveAvi},
    Row{"save-mp4", {kIdToolSaveMp4},
        {"ToolSaveMp4", "Save MP4(&4)"}, {"SaveMp4", "Save MP4"},
        CommandAlwaysEnabled, SaveMp4},
    Row{"print", {kIdPrintImage, kIdFilePrint, kIdAccelPrint},
        {"FilePrint", "Print(&P)"}, {"PrintImage", "Print image"},
        CommandAlwaysEnabled, PrintImages},
    Row{"google-earth", {kIdGoogleEarth, kIdToolConvertKml},
        {"ToolConvertKml", "Run Google Earth(&L)"}, {"GoogleEarth", "Run Google Earth"},
        CommandAlwaysEnabled, RunGoogleEarth},
};
// clang-format on

}  // namespace

void AddExportCommands(CommandTable& table, ExportCommandContext& context) {
  table.AddRows(kRows, context);
  // One command a track format, named as korvane-cli names it.
  const std::span<const TrackFormat* const> formats = TrackFormats();
  for (size_t i = 0; i < formats.size(); ++i) {
    const TrackFormat& format = *formats[i];
    table.Add(Row{format.command,
                  {format.menuId},
                  format.menu,
                  format.title,
                  CommandAlwaysEnabled,
                  ExportTrackAt,
                  static_cast<int>(i)},
              context);
  }
}
