#pragma once
// How the recorder's G-sensor readings become g: the sensor is mounted at an
// installation angle about the Y axis, and the recorder stores the offsets it
// measured at rest. Index trailers and log headers carry the same values, so
// video frames and log records are calibrated alike.

#include <cstdint>

struct GValues {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};

class GSensorCalibration {
 public:
  // Angle 0 and no offsets: readings are only scaled to g.
  GSensorCalibration() = default;

  // From the installation angle in degrees and the raw offsets in thousandths
  // of 1 g, as the recorder wrote them.
  GSensorCalibration(int angleDegrees, int rawOffsetX, int rawOffsetY, int rawOffsetZ);

  int AngleDegrees() const { return angle_; }
  float OffsetX() const { return offsets_.x; }
  float OffsetY() const { return offsets_.y; }
  float OffsetZ() const { return offsets_.z; }

  // Raw readings in thousandths of 1 g, rotated by the angle and reduced by
  // the offsets.
  GValues Apply(int rawX, int rawY, int rawZ) const;

 private:
  // x and z in g, turned by the installation angle in place.
  void Rotate(double& x, double& z) const;

  int angle_ = 0;
  double sin_ = 0.0;
  double cos_ = 1.0;
  GValues offsets_;
};
