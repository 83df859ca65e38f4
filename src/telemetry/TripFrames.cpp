#include "telemetry/TripFrames.h"

#include "platform/TimeKey.h"

void AppendTripFrames(std::span<const FRAMEINFOVIDEO> frames, int recording, std::vector<TripFrame>& out) {
  out.reserve(out.size() + frames.size());
  for (size_t i = 0; i < frames.size(); ++i) {
    const FRAMEINFOVIDEO& f = frames[i];
    out.push_back(TripFrame{MakeTimeKey(f.time), f.gX, f.gY, f.gps.valid != 0, f.gps.LatitudeDegrees(),
                            f.gps.LongitudeDegrees(), static_cast<double>(f.gps.speed), recording,
                            static_cast<int>(i)});
  }
}

void AppendTripFrames(std::span<const FRAMEINFOLOG> records, int recording, std::vector<TripFrame>& out) {
  out.reserve(out.size() + records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    const FRAMEINFOLOG& r = records[i];
    out.push_back(TripFrame{r.time, r.gX, r.gY, r.gpsValid != 0, r.lat, r.lon, static_cast<double>(r.speed), recording,
                            static_cast<int>(i)});
  }
}
