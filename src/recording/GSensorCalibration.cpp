#include "recording/GSensorCalibration.h"

#include <cmath>

namespace {

constexpr double kPi = 3.1415926535;
constexpr double kThousandthsPerG = 1000.0;

}  // namespace

GSensorCalibration::GSensorCalibration(int angleDegrees, int rawOffsetX, int rawOffsetY, int rawOffsetZ)
    : angle_(angleDegrees) {
  const double theta = angle_ * kPi / 180.0;
  sin_ = std::sin(theta);
  cos_ = std::cos(theta);
  // Three zero offsets mean the recorder never calibrated: nothing is
  // subtracted, and Z keeps its 1 g at rest.
  if (rawOffsetX == 0 && rawOffsetY == 0 && rawOffsetZ == 0) return;
  double ox = rawOffsetX / kThousandthsPerG;
  const double oy = rawOffsetY / kThousandthsPerG;
  double oz = rawOffsetZ / kThousandthsPerG;
  Rotate(ox, oz);
  offsets_.x = static_cast<float>(ox);
  offsets_.y = static_cast<float>(oy);
  // The recorder calibrates at rest, where Z reads 1 g.
  offsets_.z = static_cast<float>(oz - 1.0);
}

void GSensorCalibration::Rotate(double& x, double& z) const {
  if (angle_ == 0) return;
  const double turnedX = x * cos_ - z * sin_;
  z = z * cos_ + x * sin_;
  x = turnedX;
}

GValues GSensorCalibration::Apply(int rawX, int rawY, int rawZ) const {
  double x = rawX / kThousandthsPerG;
  const double y = rawY / kThousandthsPerG;
  double z = rawZ / kThousandthsPerG;
  Rotate(x, z);
  GValues g;
  g.x = static_cast<float>(x - offsets_.x);
  g.y = static_cast<float>(y - offsets_.y);
  g.z = static_cast<float>(z - offsets_.z);
  return g;
}
