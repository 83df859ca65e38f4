#pragma once
// The frame index file (".vdx") of a video recording: one fixed-size record
// per frame, then the trailer of the chosen variant, with the chosen damage.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "samplecard/SampleTypes.h"

constexpr uint32_t kSampleTrailerMagic = 0xFF0000A0;
constexpr uint32_t kSampleRecordMagicA1 = 0xEE0000A1;
constexpr uint32_t kSampleRecordMagicA2 = 0xDD0000A2;
constexpr uint8_t kSampleRecordFormatA2 = 2;
constexpr size_t kSampleTrailerSize = 92;
constexpr size_t kSampleOldTrailerSize = 26;
constexpr uint32_t kSampleShortRecord = 66;  // version byte 1
constexpr uint32_t kSampleLongRecord = 69;   // version byte 2
constexpr uint32_t kSampleFrameMaxSize = 500000;

// The record magic that a trailer's record format byte selects.
uint32_t SampleRecordMagic(uint8_t recordFormat);

// One index record of recordSize (66 or 69) bytes.
std::vector<uint8_t> MakeSampleIndexRecord(const SampleFrame& frame, uint32_t recordSize, uint32_t magic);

// The 92-byte trailer; the older trailer is its first 26 bytes.
std::array<uint8_t, kSampleTrailerSize> MakeSampleTrailer(const SampleVideo& video);

// The whole index file for the video's frames (their offsets and sizes
// filled in), its variant and its damage. Empty for kNoIndex.
std::vector<uint8_t> BuildSampleIndex(const SampleVideo& video);
