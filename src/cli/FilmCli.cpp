#include "cli/FilmCli.h"

#include "cli/CliLoad.h"
#include "recording/WaitingLoadObserver.h"

AviExportSource FilmRecordings::Source(int startFrame) const {
  AviExportSource source;
  for (const auto& recording : loaded) source.recordings.push_back(recording.get());
  source.startFrame = startFrame;
  return source;
}

std::optional<FilmRecordings> LoadFilmRecordings(const std::vector<std::string>& paths) {
  FilmRecordings recordings;
  for (const std::string& path : paths) {
    auto recording = std::make_unique<CInfoEventFile>();
    WaitingLoadObserver observer;
    if (LoadVideoForCli(path, *recording, observer) == LoadStatus::kFailed) return std::nullopt;
    recordings.loaded.push_back(std::move(recording));
  }
  if (recordings.loaded.empty() || recordings.loaded.front()->FrameCount() < 1) {
    PrintError((paths.empty() ? std::string("film") : paths.front()) + ": no frames");
    return std::nullopt;
  }
  return recordings;
}

bool ApplyRangeEnd(const std::optional<std::string>& until, const CInfoEventFile& recording, DateTime& rangeEnd) {
  if (!until) return true;
  const std::optional<DateTime> end = ParseDateTimeOption(*until);
  if (!end || !AviRangeMode(recording)) {
    PrintMessage(kMsgInvalidInputdata);
    return false;
  }
  rangeEnd = *end;
  return true;
}
