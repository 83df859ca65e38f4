#pragma once
// The Trip list's reading of a card, off the user-interface thread: every
// normal and event recording's index is read for its frames, which on a
// card of many hours takes longer than a window may stand still. One read
// runs at a time. A new one (another card, another HardG) or a cancel
// stops the one before, and whatever that one still delivers is dropped,
// so the list never shows the trips of a card it no longer lists.
#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "platform/Ports.h"
#include "telemetry/CardTrips.h"

class TripListFill {
 public:
  using Done = std::function<void(std::vector<CardTrip> trips)>;

  explicit TripListFill(UiQueue& ui);
  // Cancels and waits for the thread; a result still queued is dropped.
  ~TripListFill();
  TripListFill(const TripListFill&) = delete;
  TripListFill& operator=(const TripListFill&) = delete;

  // Reads sources on a worker and forms their trips at hardG; done gets
  // them on the user-interface thread, unless Start or Cancel came first.
  // False when no thread could be started (nothing will be delivered).
  bool Start(CardTripSources sources, double hardG, Done done);
  // The running read stops after its recording; its result never arrives.
  void Cancel();
  // From Start until its result was delivered, or until Cancel.
  bool Running() const { return running_; }
  // Waits until the worker has returned (its result may still be queued):
  // for a caller without a message loop, which then drains its queue.
  void Join();

 private:
  UiQueue& ui_;
  std::thread thread_;
  std::shared_ptr<std::atomic<bool>> cancel_;
  // Which read a delivered result belongs to; only the latest is taken.
  uint64_t generation_ = 0;
  bool running_ = false;
  // Posted results find out through this whether the fill still exists.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
