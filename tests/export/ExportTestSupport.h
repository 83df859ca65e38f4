#pragma once
// What the export tests share: loading a log text or a sample recording,
// and running a started job to its end as the window's event loop would.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/ManualPorts.h"
#include "platform/OutputFile.h"
#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "recording/WaitingLoadObserver.h"

constexpr int kLoadWaitMs = 10000;

inline void LoadLog(const std::filesystem::path& path, CInfoLogFile& log) {
  WaitingLoadObserver observer;
  observer.BeginLoad();
  ASSERT_EQ(log.LoadLogRecording(path, &observer), 1);
  ASSERT_TRUE(observer.WaitForLoadEnded(kLoadWaitMs));
  ASSERT_EQ(observer.Status().load(), LoadStatus::kRunning) << path;
}

inline void LoadVideo(const std::filesystem::path& dataPath, CInfoEventFile& video) {
  WaitingLoadObserver observer;
  observer.BeginLoad();
  ASSERT_EQ(video.LoadVideoRecording(dataPath.string(), &observer), 1);
  ASSERT_TRUE(observer.WaitForLoadEnded(kLoadWaitMs));
  ASSERT_EQ(observer.Status().load(), LoadStatus::kRunning) << dataPath;
}

// Drains the queue until running() says the end callback has run.
inline void DrainUntilEnd(ManualUiQueue& ui, const std::function<bool()>& running) {
  for (int slices = 0; running() && slices < 600; ++slices) ui.WaitAndDrain(50);
  ASSERT_FALSE(running()) << "the export did not end";
}

// The names in a folder that an export left behind under a temporary name.
inline std::vector<std::string> TemporaryLeftovers(const std::filesystem::path& folder) {
  std::vector<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (WriterOfTemporary(name) != 0) found.push_back(name);
  }
  return found;
}
