#include "samplecard/SampleRoute.h"

#include <algorithm>
#include <cmath>

#include "samplecard/SampleRandom.h"
#include "samplecard/SampleTypes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kGravity = 9.80665;           // m/s^2
constexpr double kMetresPerDegree = 111320.0;  // of latitude
constexpr double kMaxSpeedUp = 3.0;            // km/h per second
constexpr double kMaxSlowDown = 6.0;           // km/h per second
constexpr double kHardSlowDown = 18.0;         // km/h per second: about 0.5 g
constexpr double kHardBrakeCruise = 60.0;      // km/h before a hard brake
constexpr double kTurnRate = 15.0;             // degrees per second at a junction
constexpr double kTurnSpeed = 22.0;            // km/h through a junction
constexpr int kBlinkPeriodMs =
    1000;                          // turn and hazard lamps: on for the first half, so once-a-second logs see them lit
constexpr int kHazardSeconds = 4;  // hazard lamps after a shock
constexpr int64_t kShockMs = 800;  // how long a shock rings
constexpr int kSatelliteSpanSeconds = 10;  // the constellation changes this often

// Salts that keep the noise of the axes apart.
constexpr uint64_t kNoiseX = 0x51;
constexpr uint64_t kNoiseY = 0x52;
constexpr uint64_t kNoiseZ = 0x53;
constexpr uint64_t kNoiseSky = 0x54;

double Radians(double degrees) { return degrees * kPi / 180.0; }

}  // namespace

SampleRoute::SampleRoute(const SampleRouteOptions& options)
    : seconds_(std::max(1, options.seconds)),
      seed_(options.seed),
      invalidFrom_(options.invalidFrom),
      invalidSeconds_(options.invalidSeconds),
      shockMs_(options.shockMs) {
  Plan(options.seed);
  for (int second : options.hardBrakeSeconds) PlanHardBrake(second);
  SampleRandom random(options.seed ^ 0x4845414449ULL);
  Integrate(options.startLatitude, options.startLongitude, random.Real(0.0, 360.0));
}

// Fills each second's target speed, planned turn rate and turn lamp from a
// seeded sequence of manoeuvres: cruise, then a junction, a light or a curve.
void SampleRoute::Plan(uint64_t seed) {
  const int count = seconds_ + 1;
  table_.assign(static_cast<size_t>(count), Second{});
  plannedRate_.assign(static_cast<size_t>(count), 0.0);
  SampleRandom random(seed);
  int t = 0;
  auto fill = [&](int length, double target, double rate, int blink) {
    for (int i = 0; i < length && t < count; ++i, ++t) {
      table_[static_cast<size_t>(t)].target = target;
      table_[static_cast<size_t>(t)].blink = blink;
      plannedRate_[static_cast<size_t>(t)] = rate;
    }
  };
  while (t < count) {
    const double cruiseSpeed = random.Between(40, 65);
    fill(random.Between(15, 35), cruiseSpeed, 0.0, 0);
    const int choice = random.Between(0, 9);
    if (choice < 4) {
      const int direction = random.Between(0, 1) == 0 ? -1 : 1;
      fill(6, kTurnSpeed, 0.0, direction);
      fill(6, kTurnSpeed, direction * kTurnRate, direction);
    } else if (choice < 6) {
      fill(8 + random.Between(6, 14), 0.0, 0.0, 0);
    } else {
      const int direction = random.Between(0, 1) == 0 ? -1 : 1;
      const double angle = random.Between(15, 40);
      fill(10, cruiseSpeed, direction * angle / 10.0, 0);
    }
  }
}

void SampleRoute::PlanHardBrake(int second) {
  const int count = seconds_ + 1;
  for (int t = std::max(0, second - kSampleHardBrakeRunUp); t < std::min(second, count); ++t) {
    table_[static_cast<size_t>(t)].target = kHardBrakeCruise;
    table_[static_cast<size_t>(t)].blink = 0;
    plannedRate_[static_cast<size_t>(t)] = 0.0;
  }
  for (int t = std::max(0, second); t < std::min(second + kSampleHardBrakeSeconds, count); ++t) {
    table_[static_cast<size_t>(t)].target = 0.0;
    table_[static_cast<size_t>(t)].hardBrake = true;
    plannedRate_[static_cast<size_t>(t)] = 0.0;
  }
}

// Drives the plan: speed follows the target within the car's limits, the
// car turns only as fast as its speed allows, and the position advances
// along the mean heading of each second.
void SampleRoute::Integrate(double startLatitude, double startLongitude, double startHeading) {
  Second* first = &table_[0];
  first->latitude = startLatitude;
  first->longitude = startLongitude;
  first->heading = startHeading;
  for (size_t s = 0; s + 1 < table_.size(); ++s) {
    Second& now = table_[s];
    Second& next = table_[s + 1];
    const double change =
        now.hardBrake ? -kHardSlowDown : std::clamp(now.target - now.speed, -kMaxSlowDown, kMaxSpeedUp);
    next.speed = std::max(0.0, now.speed + change);
    const double meanSpeed = (now.speed + next.speed) / 2.0;
    now.turnRate = plannedRate_[s] * std::min(1.0, meanSpeed / kTurnSpeed);
    next.heading = now.heading + now.turnRate;
    const double metres = meanSpeed / 3.6;
    const double meanHeading = Radians((now.heading + next.heading) / 2.0);
    next.latitude = now.latitude + metres * std::cos(meanHeading) / kMetresPerDegree;
    next.longitude =
        now.longitude + metres * std::sin(meanHeading) / (kMetresPerDegree * std::cos(Radians(now.latitude)));
    next.distance = now.distance + metres;
  }
}

uint8_t SampleRoute::SignalAt(int second, int64_t driveMs) const {
  const Second& now = table_[static_cast<size_t>(second)];
  const Second& next = table_[static_cast<size_t>(std::min(second + 1, seconds_))];
  const bool lampOn = driveMs % kBlinkPeriodMs < kBlinkPeriodMs / 2;
  uint8_t signal = 0;
  const bool braking = next.speed - now.speed < -1.0;
  const bool waiting = now.target == 0.0 && now.speed < 0.5;
  if (braking || waiting) signal |= kSampleSignalBits.brake;
  if (lampOn && now.blink < 0) signal |= kSampleSignalBits.leftTurn;
  if (lampOn && now.blink > 0) signal |= kSampleSignalBits.rightTurn;
  for (int64_t shock : shockMs_) {
    if (driveMs >= shock && driveMs < shock + kHazardSeconds * 1000 && lampOn) signal |= kSampleSignalBits.emergency;
  }
  return signal;
}

// Forward acceleration from the change of speed, lateral from the turn, a
// little road vibration, and the ring-down of any shock close before.
void SampleRoute::AddAcceleration(int second, int64_t driveMs, SampleDriveState* state) const {
  const Second& now = table_[static_cast<size_t>(second)];
  const Second& next = table_[static_cast<size_t>(std::min(second + 1, seconds_))];
  const double forward = (next.speed - now.speed) / 3.6 / kGravity;
  const double lateral = -(state->speed / 3.6) * Radians(now.turnRate) / kGravity;
  const auto key = static_cast<uint64_t>(driveMs);
  const double roughness = 0.3 + state->speed / 60.0;
  state->gX = forward + 0.012 * SampleRandom::Noise(seed_ ^ kNoiseX, key);
  state->gY = lateral + 0.010 * SampleRandom::Noise(seed_ ^ kNoiseY, key);
  state->gZ = 1.0 + 0.015 * roughness * SampleRandom::Noise(seed_ ^ kNoiseZ, key);
  for (int64_t shock : shockMs_) {
    const int64_t since = driveMs - shock;
    if (since < 0 || since >= kShockMs) continue;
    const double ring = std::exp(-static_cast<double>(since) / 180.0);
    state->gX += -1.7 * ring * std::cos(static_cast<double>(since) / 60.0);
    state->gY += 0.8 * ring * std::sin(static_cast<double>(since) / 45.0);
    state->gZ += 0.9 * ring;
  }
}

void SampleRoute::AddSatellites(int64_t driveMs, SampleDriveState* state) const {
  const auto span = static_cast<uint64_t>(driveMs / 1000 / kSatelliteSpanSeconds);
  const uint64_t sky = SampleRandom::Hash(seed_ ^ kNoiseSky, span);
  if (state->gpsValid) {
    state->satsUsed = 7 + static_cast<int>(sky % 4);
    state->satsInView = state->satsUsed + 2 + static_cast<int>((sky >> 8) % 4);
    state->hdop = 0.7 + static_cast<double>((sky >> 16) % 9) / 10.0;
  } else {
    state->satsUsed = static_cast<int>(sky % 3);
    state->satsInView = 3 + static_cast<int>((sky >> 8) % 3);
    state->hdop = 0.0;
  }
}

SampleDriveState SampleRoute::At(int64_t driveMs) const {
  driveMs = std::clamp<int64_t>(driveMs, 0, static_cast<int64_t>(seconds_) * 1000);
  const int second = std::min(static_cast<int>(driveMs / 1000), seconds_ - 1);
  const double f = static_cast<double>(driveMs - static_cast<int64_t>(second) * 1000) / 1000.0;
  const Second& now = table_[static_cast<size_t>(second)];
  const Second& next = table_[static_cast<size_t>(second + 1)];
  auto lerp = [f](double a, double b) { return a + (b - a) * f; };

  SampleDriveState state;
  state.latitude = lerp(now.latitude, next.latitude);
  state.longitude = lerp(now.longitude, next.longitude);
  state.speed = lerp(now.speed, next.speed);
  state.heading = lerp(now.heading, next.heading);
  state.course = std::fmod(state.heading, 360.0);
  if (state.course < 0) state.course += 360.0;
  state.distance = lerp(now.distance, next.distance);
  const double metresPerSecond = state.speed / 3.6;
  state.curvature = metresPerSecond > 1.0 ? Radians(now.turnRate) / metresPerSecond : 0.0;
  state.altitude = 519.0 + 7.0 * std::sin(state.distance / 800.0) + 3.0 * std::sin(state.distance / 230.0 + 1.0);
  const int whole = static_cast<int>(driveMs / 1000);
  state.gpsValid = !(invalidFrom_ >= 0 && whole >= invalidFrom_ && whole < invalidFrom_ + invalidSeconds_);
  state.signal = SignalAt(second, driveMs);
  AddAcceleration(second, driveMs, &state);
  AddSatellites(driveMs, &state);
  return state;
}
