#pragma once
// Tiny recordings for the playback tests: video recordings from the sample
// generator with chosen frames, and logs written sentence by sentence with
// the speed, fix and G values of each second.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "recording/InfoLogFile.h"
#include "recording/LogTextBuilder.h"
#include "recording/WaitingLoadObserver.h"
#include "samplecard/SampleCard.h"
#include "samplecard/SampleVideoWriter.h"
#include "support/TempDir.h"

namespace playback_test {

constexpr int kWaitMs = 10000;

// One second of a log.
struct LogSecond {
  int second = 0;  // after 12:00:00 on 2026-03-10
  double kmh = 0;
  bool fix = true;
  int gX = 0;  // thousandths of 1 g
  int gY = 0;
  int gZ = 1000;
  int valueA = 0;
  double course = 0;
};

// Knots with enough digits that the reader's km/h comes out as kmh.
inline std::string Knots(double kmh) {
  char text[48];
  std::snprintf(text, sizeof text, "%.12f", kmh / 1.852);
  return text;
}

inline std::string LogText(const std::vector<LogSecond>& seconds) {
  LogTextBuilder text;
  text.Header("3,KX17A00042,SD-7F3A-201,0,0,0,0");
  for (const LogSecond& s : seconds) {
    char course[32];
    std::snprintf(course, sizeof course, "%.1f", s.course);
    text.Rmc(s.fix ? "A" : "V", "3539.1234", "N", "13945.6789", "E", Knots(s.kmh), course);
    text.Data(LogTextBuilder::ClockAfterNoon(s.second), LogTextBuilder::kDate,
              std::to_string(s.gX) + "," + std::to_string(s.gY) + "," + std::to_string(s.gZ), 0, 0, s.valueA);
  }
  return text.Text();
}

// Seconds first..last, one record each, all with a fix at kmh.
inline std::vector<LogSecond> Drive(int first, int last, double kmh = 50) {
  std::vector<LogSecond> seconds;
  for (int s = first; s <= last; ++s) seconds.push_back({s, kmh});
  return seconds;
}

inline std::filesystem::path WriteLog(const TempDir& dir, const std::string& name,
                                      const std::vector<LogSecond>& seconds) {
  return dir.Write("card/log/" + name, LogText(seconds));
}

// Reads path into log and waits; the reader's status.
inline LoadStatus ReadLog(const std::filesystem::path& path, CInfoLogFile& log, WaitingLoadObserver& observer) {
  observer.BeginLoad();
  log.LoadLogRecording(path, &observer);
  observer.WaitForLoadEnded(kWaitMs);
  return observer.Status().load();
}

// A small video recording; change its frames in edit before it is written.
template <typename Edit>
SampleVideo WriteVideo(const std::filesystem::path& folder, const SampleVideoRecipe& recipe, Edit edit) {
  SampleVideo video = MakeSampleVideo(recipe);
  edit(video);
  std::filesystem::create_directories(folder);
  std::string error;
  if (!WriteSampleVideo(folder, &video, &error)) ADD_FAILURE() << error;
  return video;
}

inline SampleVideoRecipe SmallVideo(int number, SampleVideoKind kind = SampleVideoKind::kEvent, int seconds = 2) {
  SampleVideoRecipe recipe;
  recipe.kind = kind;
  recipe.number = number;
  recipe.seconds = seconds;
  recipe.fps = 2;
  recipe.width = 16;
  recipe.height = 16;
  return recipe;
}

inline SampleVideo WriteVideo(const std::filesystem::path& folder, const SampleVideoRecipe& recipe) {
  return WriteVideo(folder, recipe, [](SampleVideo&) {});
}

// Pins the zone the time keys are formed in.
inline void UseBerlinTime() {
  setenv("TZ", "Europe/Berlin", 1);
  tzset();
}

}  // namespace playback_test
