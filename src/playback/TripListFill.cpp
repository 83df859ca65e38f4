#include "playback/TripListFill.h"

#include <system_error>
#include <utility>

#include "telemetry/TripRecordingRead.h"

TripListFill::TripListFill(UiQueue& ui) : ui_(ui) {}

TripListFill::~TripListFill() {
  *alive_ = false;
  Cancel();
  Join();
}

bool TripListFill::Start(CardTripSources sources, double hardG, Done done) {
  Cancel();
  // The cancelled read stops after the recording it is in.
  Join();
  const uint64_t generation = ++generation_;
  auto cancel = std::make_shared<std::atomic<bool>>(false);
  cancel_ = cancel;
  running_ = true;
  try {
    thread_ = std::thread([this, &ui = ui_, alive = alive_, cancel, generation, hardG, sources = std::move(sources),
                           done = std::move(done)] {
      auto trips = std::make_shared<std::vector<CardTrip>>(
          FormCardTrips(ReadCardTripRecordings(sources, ReadTripRecording, cancel.get()), hardG));
      if (cancel->load()) return;
      ui.Post([this, alive, generation, trips, done] {
        if (!*alive || generation != generation_) return;
        running_ = false;
        done(std::move(*trips));
      });
    });
  } catch (const std::system_error&) {
    running_ = false;
    return false;
  }
  return true;
}

void TripListFill::Cancel() {
  if (cancel_) cancel_->store(true);
  // A result already queued belongs to no read any more.
  ++generation_;
  running_ = false;
}

void TripListFill::Join() {
  if (thread_.joinable()) thread_.join();
}
