#include "telemetry/CardTrips.h"

#include <algorithm>

#include "recording/FileListRows.h"
#include "recording/LogFileProbe.h"
#include "recording/MgrDBSearch.h"

namespace {

constexpr int64_t kMsPerSecond = 1000;
// A log's end time is its last record's second; the trips take all of it.
constexpr int64_t kLastMsOfSecond = 999;

bool ReadInto(const CardTripSources::Video& video, const TripRecordingReader& read, std::vector<TripRecording>& into) {
  TripRecording recording;
  if (!read(video.path, video.indexPath, recording) || recording.frames.empty()) return false;
  into.push_back(std::move(recording));
  return true;
}

bool Cancelled(const std::atomic<bool>* cancel) { return cancel && cancel->load(); }

std::vector<CardTripSources::Video> VideosOf(const CardCatalogue& catalogue, FileListKind kind) {
  const std::vector<std::string>& paths = catalogue.Paths(kind);
  std::vector<CardTripSources::Video> videos;
  videos.reserve(paths.size());
  for (size_t i = 0; i < paths.size(); ++i) {
    videos.push_back({paths[i], catalogue.IndexPathAt(kind, i)});
  }
  return videos;
}

}  // namespace

CardTripSources TripSourcesOf(const CMgrDBSearch& store) {
  // The index paths the scan found: no folder is searched again.
  const CardCatalogue& catalogue = store.Catalogue();
  return CardTripSources{VideosOf(catalogue, FileListKind::kNormal), VideosOf(catalogue, FileListKind::kEvent),
                         catalogue.log};
}

CardTripRecordings ReadCardTripRecordings(const CardTripSources& sources, const TripRecordingReader& read,
                                          const std::atomic<bool>* cancel) {
  CardTripRecordings out;
  for (const CardTripSources::Video& video : sources.normals) {
    if (Cancelled(cancel)) break;
    if (!ReadInto(video, read, out.normals)) {
      out.complete = false;
      continue;
    }
    const TripRecording& normal = out.normals.back();
    out.card.normals.push_back(TripNormal{normal.frames.front().timeMs, normal.frames.back().timeMs});
  }
  for (const CardTripSources::Video& video : sources.events) {
    if (Cancelled(cancel)) break;
    if (!ReadInto(video, read, out.events)) {
      out.complete = false;
      continue;
    }
    const TripRecording& event = out.events.back();
    out.card.events.push_back(TripEvent{event.frames.front().timeMs, event.frames.back().timeMs, event.triggerMs});
    out.eventNames.push_back(EventTypeText(video.path, video.indexPath));
  }
  for (const std::string& path : sources.logs) {
    if (Cancelled(cancel)) break;
    const LogListFacts log = ReadLogListFacts(path, DurationWords{});
    out.card.logs.push_back(TripLog{log.start * kMsPerSecond, log.end * kMsPerSecond + kLastMsOfSecond});
    out.logs.push_back(path);
  }
  if (Cancelled(cancel)) out.complete = false;
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
  size_t count = 0;
  for (const TripRecording* recording : recordings) count += recording->frames.size();
  std::vector<TripFrame> frames;
  frames.reserve(count);
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
