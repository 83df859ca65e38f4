#pragma once
// A card's drives as trips with their figures, formed from the store's
// lists: the normal and event recordings with their frames from the
// indexes, the logs with their times. The window's Trip list and
// korvane-cli trips form them here alike.
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "telemetry/TripFigures.h"
#include "telemetry/TripFrames.h"
#include "telemetry/Trips.h"

class CMgrDBSearch;

// A recording of the card as the trips see it: its frames, and where its
// time lies.
struct TripRecording {
  std::string path;
  std::vector<TripFrame> frames;
  int64_t triggerMs = 0;  // its first trigger frame, else its first frame
};

// Reads a video recording's frames into out, its index at indexPath (empty
// when it has none); false when it has no frames.
using TripRecordingReader =
    std::function<bool(const std::string& path, const std::string& indexPath, TripRecording& out)>;

// What the trips read of a card, taken from the store on the user-interface
// thread, so that the reading itself may run on any other.
struct CardTripSources {
  struct Video {
    std::string path;
    std::string indexPath;
  };
  std::vector<Video> normals;
  std::vector<Video> events;
  std::vector<std::string> logs;
};

CardTripSources TripSourcesOf(const CMgrDBSearch& store);

// The card as read for its trips; the lists of card are indexes into these.
struct CardTripRecordings {
  std::vector<TripRecording> normals;
  std::vector<TripRecording> events;
  std::vector<std::string> eventNames;  // as the event list names them
  std::vector<std::string> logs;
  TripCard card;
  bool complete = true;  // every recording could be read
};

// cancel (may be null) is read between recordings; a cancelled read ends
// where it is, incomplete.
CardTripRecordings ReadCardTripRecordings(const CardTripSources& sources, const TripRecordingReader& read,
                                          const std::atomic<bool>* cancel = nullptr);

// A trip's recordings in play order: its normals, or its events when it
// holds no normal.
std::vector<const TripRecording*> RecordingsOf(const Trip& trip, const CardTripRecordings& read);
// Their frames one after another, each naming its recording by its place
// among them.
std::vector<TripFrame> FramesOf(const std::vector<const TripRecording*>& recordings);

struct CardTrip {
  Trip trip;
  TripFigures figures;
  // What a load plays: the normal recordings in time order, or the events
  // of a trip that holds no normal.
  std::vector<std::string> playPaths;
  bool playsAsEvents = false;
};

std::vector<CardTrip> FormCardTrips(const CardTripRecordings& read, double hardG);

// What a load of the chosen trips plays, in time order: the normal
// recordings of those that have any, as one normal run; only when none of
// them has one, their events as an event load.
struct TripPlay {
  std::vector<std::string> paths;
  bool asEvents = false;
};
TripPlay PlayOfTrips(const std::vector<CardTrip>& trips, std::vector<size_t> chosen);
