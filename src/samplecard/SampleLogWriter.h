#pragma once
// The log file (".log"): a "$KXDRL3" header line, then per second the GPS
// receiver's $GPRMC, $GPGGA and $GPGSV sentences and the recorder's $KXDRL
// data sentence that closes the record. ASCII, CR LF, every line with its
// NMEA checksum.

#include <filesystem>
#include <string>
#include <string_view>

#include "samplecard/SampleTypes.h"

// "$" + body + "*HH" + CR LF, HH being the XOR of the body's bytes.
std::string SampleNmeaLine(std::string_view body);

// The whole text of the log, byte-order mark included when asked for.
std::string BuildSampleLogText(const SampleLog& log);

// Writes the log into folder under its number and the local time of its
// first record; fills in its path and size.
bool WriteSampleLog(const std::filesystem::path& folder, SampleLog* log, std::string* error);
