// korvane-cli trips CARD [--json] [--units kmh|mph] [--hard-g G]: the card's
// drives as trips with their figures, from the indexes alone.
// korvane-cli hard FILE... [--json] [--hard-g G]: the hard moments of
// recordings or logs.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"
#include "cli/SpeedUnitOption.h"
#include "platform/ManualPorts.h"
#include "platform/Prompt.h"
#include "platform/TimeKey.h"
#include "platform/Utf8.h"
#include "recording/FileListRows.h"
#include "recording/MgrDBSearch.h"
#include "telemetry/SpeedUnit.h"
#include "telemetry/TripFigures.h"
#include "telemetry/Trips.h"

namespace {

struct TripsRequest {
  std::string root;
  bool json = false;
  SpeedUnit units = SpeedUnit::kKmh;
  double hardG = kDefaultHardG;
};

struct HardRequest {
  std::vector<std::string> files;
  bool json = false;
  double hardG = kDefaultHardG;
};

// The store without a screen: nothing is asked, nothing on the card is
// checked or deleted.
class SilentPrompt final : public Prompt {
 public:
  PromptAnswer Show(const std::string&, const std::string&, PromptButtons buttons) override {
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

// A recording of the card as the trips see it: its frames, and where its
// time lies.
struct LoadedVideo {
  std::string path;
  std::vector<TripFrame> frames;
  int64_t triggerMs = 0;  // its first trigger frame, else its first frame
};

std::string LocalTime(int64_t timeKey) {
  const DateTime t = TimeKeyToDateTime(timeKey);
  char text[48];
  std::snprintf(text, sizeof text, "%.4d-%.2d-%.2d %.2d:%.2d:%.2d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

bool LoadVideoFrames(const std::string& path, LoadedVideo& out) {
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  if (LoadVideoForCli(path, recording, observer) == kLoadFailed || recording.FrameCount() == 0) return false;
  out.path = path;
  AppendTripFrames(recording.Frames(), 0, out.frames);
  out.triggerMs = out.frames.front().timeMs;
  for (int i = 0; i < recording.FrameCount(); ++i) {
    if (recording.Frame(i).frameKind != kTriggerFrameKind) continue;
    out.triggerMs = out.frames[static_cast<size_t>(i)].timeMs;
    break;
  }
  return true;
}

bool LoadLogFrames(const std::string& path, LoadedVideo& out) {
  CInfoLogFile log;
  WaitingLoadObserver observer;
  if (LoadLogForCli(path, log, observer) == kLoadFailed || log.RecordCount() == 0) return false;
  out.path = path;
  AppendTripFrames(log.Records(), 0, out.frames);
  return true;
}

// The frames of a trip's recordings one after another, each frame naming
// its recording by its place among them.
std::vector<TripFrame> FramesOf(const std::vector<const LoadedVideo*>& recordings) {
  std::vector<TripFrame> frames;
  for (size_t i = 0; i < recordings.size(); ++i) {
    for (TripFrame frame : recordings[i]->frames) {
      frame.recording = static_cast<int>(i);
      frames.push_back(frame);
    }
  }
  return frames;
}

Json HardJson(const HardMoment& m, const std::vector<const LoadedVideo*>& recordings) {
  return Json{{"start_ms", m.startMs},
              {"end_ms", m.endMs},
              {"peak_g", m.peakG},
              {"kind", HardKindName(m.kind)},
              {"file", recordings[static_cast<size_t>(m.recording)]->path},
              {"frame", m.frame}};
}

void PrintHard(const HardMoment& m, const std::vector<const LoadedVideo*>& recordings) {
  std::printf("  %s  %-12s %.3f g  %s frame %d\n", LocalTime(m.startMs).c_str(), HardKindName(m.kind), m.peakG,
              Printable(recordings[static_cast<size_t>(m.recording)]->path).c_str(), m.frame);
}

struct CardTrips {
  std::vector<LoadedVideo> normals;
  std::vector<LoadedVideo> events;
  std::vector<std::string> eventNames;
  std::vector<std::string> logs;
  TripCard card;
};

CardTrips ReadCard(const CMgrDBSearch& store, bool& complete) {
  CardTrips read;
  for (const std::string& path : store.Catalogue().normal) {
    LoadedVideo video;
    if (!LoadVideoFrames(path, video)) {
      complete = false;
      continue;
    }
    read.card.normals.push_back(TripNormal{video.frames.front().timeMs, video.frames.back().timeMs});
    read.normals.push_back(std::move(video));
  }
  for (const std::string& path : store.Catalogue().event) {
    LoadedVideo video;
    if (!LoadVideoFrames(path, video)) {
      complete = false;
      continue;
    }
    read.card.events.push_back(TripEvent{video.frames.front().timeMs, video.frames.back().timeMs, video.triggerMs});
    read.eventNames.push_back(MakeFileListRow(store, FileListKind::kEvent, path).type);
    read.events.push_back(std::move(video));
  }
  for (const FileListRow& row : MakeFileListRows(store, FileListKind::kLog)) {
    read.card.logs.push_back(TripLog{row.start * 1000, row.end * 1000 + 999});
    read.logs.push_back(row.path);
  }
  return read;
}

std::vector<const LoadedVideo*> RecordingsOf(const Trip& trip, const CardTrips& read) {
  std::vector<const LoadedVideo*> recordings;
  for (size_t n : trip.normals) recordings.push_back(&read.normals[n]);
  if (recordings.empty()) {
    for (size_t e : trip.events) recordings.push_back(&read.events[e]);
  }
  return recordings;
}

Json TripJson(const Trip& trip, const CardTrips& read, const TripFigures& figures) {
  const std::vector<const LoadedVideo*> recordings = RecordingsOf(trip, read);
  Json normals = Json::array();
  for (size_t n : trip.normals) normals.push_back(read.normals[n].path);
  Json events = Json::array();
  for (size_t e : trip.events) {
    events.push_back(Json{{"file", read.events[e].path},
                          {"name", read.eventNames[e]},
                          {"time", LocalTime(read.card.events[e].triggerMs)}});
  }
  Json logs = Json::array();
  for (size_t l : trip.logs) logs.push_back(read.logs[l]);
  Json hard = Json::array();
  for (const HardMoment& m : figures.hard) hard.push_back(HardJson(m, recordings));
  return Json{{"start", LocalTime(figures.startMs)},
              {"end", LocalTime(figures.endMs)},
              {"start_ms", figures.startMs},
              {"end_ms", figures.endMs},
              {"duration_s", figures.durationSeconds},
              {"recordings", std::move(normals)},
              {"events", std::move(events)},
              {"logs", std::move(logs)},
              {"distance_m", figures.distanceMetres},
              {"max_speed_kmh", std::lround(figures.topSpeedKmh)},
              {"hard", std::move(hard)}};
}

void PrintTrip(size_t number, const Trip& trip, const CardTrips& read, const TripFigures& figures, SpeedUnit unit) {
  std::printf("trip %zu: %s .. %s  %lld s  %.3f km  top %.0f %s  %zu recordings  %zu events  %zu hard\n", number,
              LocalTime(figures.startMs).c_str(), LocalTime(figures.endMs).c_str(),
              static_cast<long long>(figures.durationSeconds), static_cast<double>(figures.distanceMetres) / 1000.0,
              SpeedIn(unit, figures.topSpeedKmh, 0), std::string(SpeedUnitLabel(unit)).c_str(), trip.normals.size(),
              trip.events.size(), figures.hard.size());
  for (size_t e : trip.events) {
    std::printf("  event %s  %s  %s\n", LocalTime(read.card.events[e].triggerMs).c_str(),
                Printable(read.eventNames[e]).c_str(), Printable(read.events[e].path).c_str());
  }
  const std::vector<const LoadedVideo*> recordings = RecordingsOf(trip, read);
  for (const HardMoment& m : figures.hard) PrintHard(m, recordings);
}

int RunTrips(const TripsRequest& request) {
  SilentPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  const Volumes volumes;
  CMgrDBSearch store(prompt, ui, app, volumes);
  store.SetCheckFilesRunner([&ui](CheckFilesPass& pass) {
    pass.SetVerify(false);
    pass.Start(ui, {});
    pass.Join();
  });
  if (!store.ChooseRoot(request.root)) {
    PrintError(request.root + ": not a drive recorder card or backup folder");
    return kExitLoadFailed;
  }
  store.Scan();
  bool complete = true;
  const CardTrips read = ReadCard(store, complete);
  Json all = Json::array();
  size_t number = 0;
  for (const Trip& trip : GroupTrips(read.card)) {
    const std::vector<TripFrame> frames = FramesOf(RecordingsOf(trip, read));
    const TripFigures figures = FiguresOf(frames, request.hardG);
    if (request.json) {
      all.push_back(TripJson(trip, read, figures));
    } else {
      PrintTrip(++number, trip, read, figures, request.units);
    }
  }
  if (request.json) std::cout << WriteJson(all);
  return complete ? kExitOk : kExitLoadFailed;
}

bool IsLog(const std::string& path) {
  const std::string lower = AsciiLower(path);
  return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".log") == 0;
}

int RunHard(const HardRequest& request) {
  bool complete = true;
  Json all = Json::array();
  for (const std::string& path : request.files) {
    LoadedVideo loaded;
    const bool ok = IsLog(path) ? LoadLogFrames(path, loaded) : LoadVideoFrames(path, loaded);
    if (!ok) {
      complete = false;
      continue;
    }
    const std::vector<const LoadedVideo*> recordings = {&loaded};
    const std::vector<HardMoment> moments = FindHardMoments(loaded.frames, request.hardG);
    if (request.json) {
      for (const HardMoment& m : moments) all.push_back(HardJson(m, recordings));
      continue;
    }
    std::printf("%s: %zu hard\n", Printable(path).c_str(), moments.size());
    for (const HardMoment& m : moments) PrintHard(m, recordings);
  }
  if (request.json) std::cout << WriteJson(all);
  return complete ? kExitOk : kExitLoadFailed;
}

void AddHardGOption(CLI::App& command, double& hardG) {
  command.add_option("--hard-g", hardG, "the horizontal G a hard moment reaches (default 0.40)")
      ->check(CLI::Range(0.01, 8.0));
}

}  // namespace

void AddTripsCommand(CLI::App& app, int& exitStatus) {
  auto* command =
      app.add_subcommand("trips", "List a card's drives as trips, with distance, top speed and hard moments");
  auto request = std::make_shared<TripsRequest>();
  command->add_option("CARD", request->root, "the card's mount point or a backup folder")->required();
  command->add_flag("--json", request->json, "print JSON");
  AddSpeedUnitOption(*command, request->units);
  AddHardGOption(*command, request->hardG);
  command->callback([&exitStatus, request] { exitStatus = RunTrips(*request); });
}

void AddHardCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("hard", "List the hard braking, acceleration and swerves of recordings or logs");
  auto request = std::make_shared<HardRequest>();
  command->add_option("FILE", request->files, "video recordings (.vdd) or logs (.log)")->required();
  command->add_flag("--json", request->json, "print JSON");
  AddHardGOption(*command, request->hardG);
  command->callback([&exitStatus, request] { exitStatus = RunHard(*request); });
}
