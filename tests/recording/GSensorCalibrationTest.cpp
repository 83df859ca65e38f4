#include <gtest/gtest.h>

#include "recording/GSensorCalibration.h"

namespace {

// A recorder at rest reads its own raw offsets; whatever its angle, the
// offsets must be turned exactly as the readings are, or level ground would
// show a tilt.
TEST(GSensorCalibrationTest, AtRestTheOffsetReadingGivesOneGOnZ) {
  for (const int angle : {0, -30, 45, 90, 127}) {
    SCOPED_TRACE(angle);
    const GSensorCalibration calibration(angle, 40, -25, 980);
    const GValues g = calibration.Apply(40, -25, 980);
    EXPECT_NEAR(g.x, 0.0f, 1e-6);
    EXPECT_NEAR(g.y, 0.0f, 1e-6);
    EXPECT_NEAR(g.z, 1.0f, 1e-6);
  }
}

TEST(GSensorCalibrationTest, WithoutAngleOrOffsetsReadingsAreOnlyScaled) {
  const GValues plain = GSensorCalibration().Apply(-1234, 5, 1000);
  EXPECT_EQ(plain.x, static_cast<float>(-1234 / 1000.0));
  EXPECT_EQ(plain.y, static_cast<float>(5 / 1000.0));
  EXPECT_EQ(plain.z, 1.0f);
  // Three zero offsets are "not calibrated", not "calibrated to zero": Z keeps its 1 g.
  const GSensorCalibration uncalibrated(0, 0, 0, 0);
  EXPECT_EQ(uncalibrated.OffsetZ(), 0.0f);
  EXPECT_EQ(uncalibrated.Apply(0, 0, 1000).z, 1.0f);
}

TEST(GSensorCalibrationTest, AngleTurnsXIntoZ) {
  const GSensorCalibration quarterTurn(90, 0, 0, 0);
  const GValues g = quarterTurn.Apply(1000, 300, 0);
  EXPECT_NEAR(g.x, 0.0f, 1e-6);
  EXPECT_NEAR(g.y, 0.3f, 1e-6);
  EXPECT_NEAR(g.z, 1.0f, 1e-6);
  const GSensorCalibration offsetsTurned(90, 50, 0, 1000);
  EXPECT_NEAR(offsetsTurned.OffsetX(), -1.0f, 1e-6);
  EXPECT_NEAR(offsetsTurned.OffsetZ(), -0.95f, 1e-6);
  EXPECT_EQ(offsetsTurned.AngleDegrees(), 90);
}

}  // namespace
