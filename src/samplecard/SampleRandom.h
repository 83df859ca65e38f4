#pragma once
// The generator's only source of chance: a seeded splitmix64 sequence, and a
// hash of (seed, key) for values that must come out the same wherever the
// same instant of the drive is sampled (a video frame and a log record of
// the same millisecond share their noise).

#include <cstdint>

class SampleRandom {
 public:
  explicit SampleRandom(uint64_t seed) : state_(seed) {}

  uint64_t Next();
  // Uniform in [low, high].
  int Between(int low, int high);
  // Uniform in [low, high).
  double Real(double low, double high);

  // A well-mixed 64-bit value of seed and key, independent of any sequence.
  static uint64_t Hash(uint64_t seed, uint64_t key);
  // Hash mapped to [-1, 1).
  static double Noise(uint64_t seed, uint64_t key);

 private:
  uint64_t state_;
};
