#pragma once
// A deterministic drive: a car that sets off, cruises, slows for turns,
// waits at lights and takes gentle curves, starting near a real city. The
// drive is planned and integrated once, second by second; every recording
// of a card samples the same drive, so event recordings, normal recordings
// and logs that cover the same instant agree with one another.

#include <cstdint>
#include <vector>

struct SampleRouteOptions {
  uint64_t seed = 1;
  int seconds = 60;               // length of the drive
  double startLatitude = 48.137;  // decimal degrees
  double startLongitude = 11.575;
  int invalidFrom = -1;  // first second without a GPS fix; -1 for none
  int invalidSeconds = 0;
  std::vector<int64_t> shockMs;  // drive times of the shocks (event triggers)
  // Drive seconds where the driver brakes hard from cruising speed for
  // kSampleHardBrakeSeconds; each needs kSampleHardBrakeRunUp seconds of
  // drive before it.
  std::vector<int> hardBrakeSeconds;
};

inline constexpr int kSampleHardBrakeSeconds = 2;
inline constexpr int kSampleHardBrakeRunUp = 25;

// The car at one instant of the drive.
struct SampleDriveState {
  double latitude = 0;  // decimal degrees
  double longitude = 0;
  double speed = 0;      // km/h
  double heading = 0;    // degrees, unwrapped
  double course = 0;     // degrees, 0..360
  double curvature = 0;  // 1/m, positive to the right
  double distance = 0;   // metres since the start
  double altitude = 0;   // metres
  bool gpsValid = true;
  uint8_t signal = 0;  // kSampleSignalBits
  double gX = 0;       // true acceleration in g: forward, left, up (1 g at rest)
  double gY = 0;
  double gZ = 1;
  int satsUsed = 0;
  int satsInView = 0;
  double hdop = 0;
};

class SampleRoute {
 public:
  explicit SampleRoute(const SampleRouteOptions& options);

  // The state at a drive time in milliseconds; times outside the drive are
  // taken at its nearest end.
  SampleDriveState At(int64_t driveMs) const;

  int Seconds() const { return seconds_; }

 private:
  struct Second {
    double latitude = 0;
    double longitude = 0;
    double speed = 0;
    double heading = 0;
    double distance = 0;
    double turnRate = 0;  // degrees per second, as driven
    double target = 0;    // the speed the driver aims for
    int blink = 0;        // -1 left, 1 right
    bool hardBrake = false;
  };

  void Plan(uint64_t seed);
  // A cruise up to speed, then the brake.
  void PlanHardBrake(int second);
  void Integrate(double startLatitude, double startLongitude, double startHeading);
  uint8_t SignalAt(int second, int64_t driveMs) const;
  void AddAcceleration(int second, int64_t driveMs, SampleDriveState* state) const;
  void AddSatellites(int64_t driveMs, SampleDriveState* state) const;

  int seconds_ = 0;
  uint64_t seed_ = 0;
  int invalidFrom_ = -1;
  int invalidSeconds_ = 0;
  std::vector<int64_t> shockMs_;
  std::vector<Second> table_;  // seconds_ + 1 entries
  std::vector<double> plannedRate_;
};
