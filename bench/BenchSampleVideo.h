#pragma once
// A generated recording written into folder/card and loaded as the viewer
// loads it, for the export benchmarks.

#include <cstdio>
#include <filesystem>
#include <string>

#include "recording/InfoEventFile.h"
#include "recording/WaitingLoadObserver.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"

// False (the reason on stderr) when the recording could not be written.
inline bool WriteAndLoadSampleVideo(const std::filesystem::path& folder, SampleVideo& sample, CInfoEventFile& video) {
  std::string error;
  std::filesystem::create_directories(folder / "card");
  if (!WriteSampleVideo(folder / "card", &sample, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
  }
  WaitingLoadObserver observer;
  observer.BeginLoad();
  video.LoadVideoRecording(sample.dataPath.string(), &observer);
  while (!observer.WaitForLoadEnded(1000)) {
  }
  return true;
}
