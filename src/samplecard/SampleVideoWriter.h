#pragma once
// One video recording: the data file (".vdd") of JPEG pictures drawn from
// its frames, and the index file (".vdx") of the chosen variant.

#include <filesystem>
#include <string>

#include "samplecard/SampleTypes.h"

// Writes the video's pictures and index into folder, named after its number
// and first frame; fills in the paths, every frame's offset and size, and the
// file sizes. The video's frames, picture size, fps and index settings are
// taken as given.
bool WriteSampleVideo(const std::filesystem::path& folder, SampleVideo* video, std::string* error);
