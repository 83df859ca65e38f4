#pragma once
// Video recordings and logs sampled from a drive: the recording settings of
// a recipe, the frames or records from the route, and the index fields as the
// chosen variant stores them.

#include <cstdint>

#include "samplecard/SampleCard.h"
#include "samplecard/SampleRoute.h"

// The start time and drive of the recording's own description are not used:
// the recording begins at driveStartSecond of the given route, whose second 0
// is the local time startEpochSeconds.
SampleVideo MakeSampleVideoOnRoute(const SampleRoute& route, int64_t startEpochSeconds, int driveStartSecond,
                                   const SampleVideoRecipe& recipe);

SampleLog MakeSampleLogOnRoute(const SampleRoute& route, int64_t startEpochSeconds, int driveStartSecond,
                               const SampleLogRecipe& recipe);
