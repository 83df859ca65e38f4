// korvane-cli trips CARD [--json] [--units kmh|mph] [--hard-g G]: the card's
// drives as trips with their figures, from the indexes alone.
// korvane-cli hard FILE... [--json] [--hard-g G]: the hard moments of
// recordings or logs.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>

#include "base/AppSetting.h"
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
#include "recording/VideoIndexPath.h"
#include "telemetry/CardTrips.h"
#include "telemetry/SpeedUnit.h"
#include "telemetry/TripFigures.h"
#include "telemetry/TripRecordingRead.h"
#include "telemetry/Trips.h"

namespace {

struct TripsRequest {
  std::string root;
  bool json = false;
  SpeedUnit units = SpeedUnit::kKmh;
  std::optional<double> hardG;  // none: the settings' HardG
};

struct HardRequest {
  std::vector<std::string> files;
  bool json = false;
  std::optional<double> hardG;
};

// The threshold the window finds hard moments with, unless the command
// line names one.
double HardGOf(const std::optional<double>& given) {
  if (given) return *given;
  const CAppSetting settings;
  return settings.HardG(kDefaultHardG);
}

// The store without a screen: nothing is asked, nothing on the card is
// checked or deleted.
class SilentPrompt final : public Prompt {
 public:
  PromptAnswer Show(const std::string&, const std::string&, PromptButtons buttons) override {
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

std::string LocalTime(int64_t timeKey) {
  const DateTime t = TimeKeyToDateTime(timeKey);
  char text[48];
  std::snprintf(text, sizeof text, "%.4d-%.2d-%.2d %.2d:%.2d:%.2d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return text;
}

// The index alone when it is whole; else the loader, which tells of each
// failure.
bool LoadVideoFrames(const std::string& path, const std::string& indexPath, TripRecording& out) {
  if (!CheckInputFile(path)) return false;
  if (ReadTripFramesFromIndex(path, indexPath, out)) return true;
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  if (LoadVideoForCli(path, recording, observer) == LoadStatus::kFailed) return false;
  return TakeTripRecording(recording, path, out);
}

bool LoadLogFrames(const std::string& path, TripRecording& out) {
  CInfoLogFile log;
  WaitingLoadObserver observer;
  if (LoadLogForCli(path, log, observer) == LoadStatus::kFailed || log.RecordCount() == 0) return false;
  out.path = path;
  AppendTripFrames(log.Records(), 0, out.frames);
  return true;
}

Json HardJson(const HardMoment& m, const std::vector<const TripRecording*>& recordings) {
  return Json{{"start_ms", m.startMs},
              {"end_ms", m.endMs},
              {"peak_g", m.peakG},
              {"kind", HardKindName(m.kind)},
              {"file", recordings[static_cast<size_t>(m.recording)]->path},
              {"frame", m.frame}};
}

void PrintHard(const HardMoment& m, const std::vector<const TripRecording*>& recordings) {
  std::printf("  %s  %-12s %.3f g  %s frame %d\n", LocalTime(m.startMs).c_str(), HardKindName(m.kind), m.peakG,
              Printable(recordings[static_cast<size_t>(m.recording)]->path).c_str(), m.frame);
}

Json TripJson(const Trip& trip, const CardTripRecordings& read, const TripFigures& figures) {
  const std::vector<const TripRecording*> recordings = RecordingsOf(trip, read);
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

void PrintTrip(size_t number, const Trip& trip, const CardTripRecordings& read, const TripFigures& figures,
               SpeedUnit unit) {
  std::printf("trip %zu: %s .. %s  %lld s  %.3f km  top %.0f %s  %zu recordings  %zu events  %zu hard\n", number,
              LocalTime(figures.startMs).c_str(), LocalTime(figures.endMs).c_str(),
              static_cast<long long>(figures.durationSeconds), static_cast<double>(figures.distanceMetres) / 1000.0,
              SpeedIn(unit, figures.topSpeedKmh, 0), std::string(SpeedUnitLabel(unit)).c_str(), trip.normals.size(),
              trip.events.size(), figures.hard.size());
  for (size_t e : trip.events) {
    std::printf("  event %s  %s  %s\n", LocalTime(read.card.events[e].triggerMs).c_str(),
                Printable(read.eventNames[e]).c_str(), Printable(read.events[e].path).c_str());
  }
  const std::vector<const TripRecording*> recordings = RecordingsOf(trip, read);
  for (const HardMoment& m : figures.hard) PrintHard(m, recordings);
}

int RunTrips(const TripsRequest& request) {
  const double hardG = HardGOf(request.hardG);
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
  const CardTripRecordings read = ReadCardTripRecordings(TripSourcesOf(store), LoadVideoFrames);
  Json all = Json::array();
  size_t number = 0;
  for (const CardTrip& trip : FormCardTrips(read, hardG)) {
    if (request.json) {
      all.push_back(TripJson(trip.trip, read, trip.figures));
    } else {
      PrintTrip(++number, trip.trip, read, trip.figures, request.units);
    }
  }
  if (request.json) std::cout << WriteJson(all);
  return read.complete ? kExitOk : kExitLoadFailed;
}

bool IsLog(const std::string& path) {
  const std::string lower = AsciiLower(path);
  return lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".log") == 0;
}

int RunHard(const HardRequest& request) {
  const double hardG = HardGOf(request.hardG);
  bool complete = true;
  Json all = Json::array();
  for (const std::string& path : request.files) {
    TripRecording loaded;
    const bool ok = IsLog(path) ? LoadLogFrames(path, loaded) : LoadVideoFrames(path, VideoIndexPath(path), loaded);
    if (!ok) {
      complete = false;
      continue;
    }
    const std::vector<const TripRecording*> recordings = {&loaded};
    const std::vector<HardMoment> moments = FindHardMoments(loaded.frames, hardG);
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

void AddHardGOption(CLI::App& command, std::optional<double>& hardG) {
  command.add_option("--hard-g", hardG, "the horizontal G a hard moment reaches (default: the settings' HardG, 0.40)")
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
