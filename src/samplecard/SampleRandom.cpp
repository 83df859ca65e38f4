#include "samplecard/SampleRandom.h"

namespace {

uint64_t Mix(uint64_t z) {
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

constexpr uint64_t kGolden = 0x9E3779B97F4A7C15ULL;
constexpr double kTwoPow53 = 9007199254740992.0;

}  // namespace

uint64_t SampleRandom::Next() {
  state_ += kGolden;
  return Mix(state_);
}

int SampleRandom::Between(int low, int high) {
  if (high <= low) return low;
  const uint64_t span = static_cast<uint64_t>(high - low) + 1;
  return low + static_cast<int>(Next() % span);
}

double SampleRandom::Real(double low, double high) {
  const double unit = static_cast<double>(Next() >> 11) / kTwoPow53;
  return low + (high - low) * unit;
}

uint64_t SampleRandom::Hash(uint64_t seed, uint64_t key) { return Mix(Mix(seed + kGolden) ^ (key * kGolden)); }

double SampleRandom::Noise(uint64_t seed, uint64_t key) {
  const double unit = static_cast<double>(Hash(seed, key) >> 11) / kTwoPow53;
  return unit * 2.0 - 1.0;
}
