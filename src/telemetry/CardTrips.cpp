#include "telemetry/CardTrips.h"

#include <algorithm>

#include "recording/FileListRows.h"
#include "recording/InfoEventFile.h"
#include "recording/MgrDBSearch.h"
#include "recording/WaitingLoadObserver.h"

namespace {

constexpr int kLoadWaitSliceMs = 1000;
constexpr int64_t kMsPerSecond = 1000;
// A log's end time is its last record's second; the trips take all of it.
constexpr int64_t kLastMsOfSecond = 999;

bool ReadInto(const std::string& path, const TripRecordingReader& read, std::vector<TripRecording>& into) {
  TripRecording recording;
  if (!read(path, recording) || recording.frames.empty()) return false;
  into.push_back(std::move(recording));
  return true;
}

}  // namespace

bool ReadTripRecording(const std::string& path, TripRecording& out) {
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  observer.BeginLoad();
  if (recording.LoadVideoRecording(path, &observer) == 0) return false;
  while (!observer.WaitForLoadEnded(kLoadWaitSliceMs)) {
  }
  if (recording.FrameCount() == 0) return false;
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

CardTripRecordings ReadCardTripRecordings(const CMgrDBSearch& store, const TripRecordingReader& read) {
  CardTripRecordings out;
  for (const std::string& path : store.Catalogue().normal) {
    if (!ReadInto(path, read, out.normals)) {
      out.complete = false;
      continue;
    }
    const TripRecording& normal = out.normals.back();
    out.card.normals.push_back(TripNormal{normal.frames.front().timeMs, normal.frames.back().timeMs});
  }
  for (const std::string& path : store.Catalogue().event) {
    if (!ReadInto(path, read, out.events)) {
      out.complete = false;
      continue;
    }
    const TripRecording& event = out.events.back();
    out.card.events.push_back(TripEvent{event.frames.front().timeMs, event.frames.back().timeMs, event.triggerMs});
    out.eventNames.push_back(MakeFileListRow(store, FileListKind::kEvent, path).type);
  }
  for (const FileListRow& row : MakeFileListRows(store, FileListKind::kLog)) {
    out.card.logs.push_back(TripLog{row.start * kMsPerSecond, row.end * kMsPerSecond + kLastMsOfSecond});
    out.logs.push_back(row.path);
  }
  return out;
}

std::vector<const TripRecording*> RecordingsOf(const Trip& trip, const CardTripRecordings& read) {
  std::vector<const TripRecording*> recordings;
  for (size_t n : trip.normals) recordings.push_back(&read.normals[n]);
  if (!recordings.empty()) return recordings;
  for (size_t e : trip.events) recordings.push_back(&read.events[e]);
  return recordings;
}

std::vector<TripFrame> FramesOf(const std::vector<const TripRecording*>& recordings) {
  std::vector<TripFrame> frames;
  for (size_t i = 0; i < recordings.size(); ++i) {
    for (TripFrame frame : recordings[i]->frames) {
      frame.recording = static_cast<int>(i);
      frames.push_back(frame);
    }
  }
  return frames;
}

std::vector<CardTrip> FormCardTrips(const CardTripRecordings& read, double hardG) {
  std::vector<CardTrip> trips;
  for (Trip& trip : GroupTrips(read.card)) {
    const std::vector<const TripRecording*> recordings = RecordingsOf(trip, read);
    CardTrip formed;
    formed.figures = FiguresOf(FramesOf(recordings), hardG);
    for (const TripRecording* recording : recordings) formed.playPaths.push_back(recording->path);
    formed.playsAsEvents = trip.normals.empty();
    formed.trip = std::move(trip);
    trips.push_back(std::move(formed));
  }
  return trips;
}

TripPlay PlayOfTrips(const std::vector<CardTrip>& trips, std::vector<size_t> chosen) {
  std::erase_if(chosen, [&](size_t i) { return i >= trips.size(); });
  std::sort(chosen.begin(), chosen.end(),
            [&](size_t a, size_t b) { return trips[a].figures.startMs < trips[b].figures.startMs; });
  TripPlay play;
  const bool anyNormal = std::any_of(chosen.begin(), chosen.end(), [&](size_t i) { return !trips[i].playsAsEvents; });
  play.asEvents = !anyNormal;
  for (size_t i : chosen) {
    if (trips[i].playsAsEvents != play.asEvents) continue;
    play.paths.insert(play.paths.end(), trips[i].playPaths.begin(), trips[i].playPaths.end());
  }
  return play;
}
