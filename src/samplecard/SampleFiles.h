#pragma once
// File names of the recordings on a card and whole-file writes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/DateTime.h"

// "NNNN,YYYYMMDD_HHMMSS": running number and the local time of the
// recording's first frame or record.
std::string SampleFileStem(int number, const DateTime& local);

// Writes bytes as the whole file; false with a reason in error (when given).
bool WriteSampleFile(const std::filesystem::path& path, std::string_view bytes, std::string* error);
