#pragma once
// The calm road scene of the sample pictures, as seen from a windscreen:
// sky with a sun and clouds, hills that pan as the car turns, a road whose
// edges, dashed centre line and verges scroll with the distance driven and
// bend with the curve, trees and posts that pass by, now and then an
// oncoming car, the car's lamps and the captions.

#include <cstdint>
#include <string>

#include "samplecard/SampleImage.h"

struct SampleSceneState {
  double distance = 0;   // metres driven
  double heading = 0;    // degrees
  double curvature = 0;  // 1/m, positive to the right
  double speed = 0;      // km/h
  int64_t clockMs = 0;   // time of day, paces the oncoming traffic
  uint8_t signal = 0;    // car signal bits
  std::string topLeft;   // captions
  std::string bottomLeft;
  std::string topRight;
  SampleRgb topRightColor{255, 255, 255};
};

// Draws the scene over the whole picture (sized by the caller).
void RenderSampleScene(const SampleSceneState& state, SampleImage* image);

// Every other row of a picture: a half-height picture of the same scene.
SampleImage HalveSampleImageHeight(const SampleImage& full);
