#pragma once
// The 59-byte frame comment block that every picture of a data file carries
// in its JPEG comment segment.

#include <array>
#include <cstddef>
#include <cstdint>

#include "samplecard/SampleTypes.h"

constexpr size_t kSampleCommentBlockSize = 59;

using SampleCommentBlock = std::array<uint8_t, kSampleCommentBlockSize>;

SampleCommentBlock MakeSampleCommentBlock(const SampleFrame& frame);

// Whether the bytes hold the JPEG end-of-image marker FF D9 anywhere.
bool HasJpegEndMarker(const uint8_t* bytes, size_t size);

// A data-file scan takes the first FF D9 after a picture's start as its end,
// so a comment block must never contain one. Nudges the field that holds
// the offending bytes by the smallest step its unit allows (a thousandth of
// a g, a ten-thousandth of a minute, one pulse, one metre or degree) until
// the block is clean; false if that did not succeed.
bool AvoidEndMarkerInBlock(SampleFrame* frame);
