#include "playback/PlaybackNotices.h"

#include <cstdio>
#include <filesystem>

#include "base/MgrMultiLang.h"
#include "recording/InfoEventFile.h"

namespace {

std::string Formatted(const std::string& format, int a, int b) {
  char text[600];
  std::snprintf(text, sizeof text, format.c_str(), a, b);
  return text;
}

}  // namespace

std::string UnreadableFramesText(int unreadable, int frames) {
  return Formatted(GetLangText("Message", "UnreadableFrames",
                               "%d of the %d frames of this recording could not be read. They are shown without "
                               "a picture."),
                   unreadable, frames);
}

std::string FramesFromDataFileText(const std::vector<std::unique_ptr<CInfoEventFile>>& videos) {
  std::string lines;
  const std::string line = GetLangText("Message", "FramesFromDataFileLine", "%d of %d frames");
  for (const auto& video : videos) {
    if (!video || video->FramesFromDataFile() == 0) continue;
    const std::string name = std::filesystem::path(video->RecordingPath()).filename().string();
    lines += "\n" + name + ": " + Formatted(line, video->FramesFromDataFile(), video->FrameCount());
  }
  if (lines.empty()) return {};
  return GetLangText("Message", "FramesFromDataFile",
                     "The index of these recordings ends before their data file; the frames after it were read "
                     "from the data file:") +
         lines;
}
