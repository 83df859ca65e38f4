#pragma once
// The recorder's log file (".log"): its own header and data sentences among
// the GPS receiver's NMEA sentences. Field numbers count as NmeaSentence
// counts them: field 0 is the word after "$".

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Utf8.h"

// The header, on the first line only.
constexpr std::string_view kLogHeaderStart = "$KXDRL3";
// A data sentence as the file lists recognise it.
constexpr std::string_view kLogDataLineStart = "$KXDRL,";
// A data sentence as the reader counts and recognises it: "$KX" with a ","
// as its seventh character.
constexpr std::string_view kLogDataStart = "$KX";
constexpr size_t kLogDataCommaAt = 6;

// Header fields.
constexpr size_t kLogHeaderValue = 1;
constexpr size_t kLogHeaderDrid = 2;
constexpr size_t kLogHeaderSdid = 3;
constexpr size_t kLogHeaderAngle = 4;
constexpr size_t kLogHeaderOffsetX = 5;
constexpr size_t kLogHeaderOffsetY = 6;
constexpr size_t kLogHeaderOffsetZ = 7;

// Data sentence fields (field 1 is not read).
constexpr size_t kLogDataValueA = 2;
constexpr size_t kLogDataX = 3;
constexpr size_t kLogDataY = 4;
constexpr size_t kLogDataZ = 5;
constexpr size_t kLogDataTime = 6;
constexpr size_t kLogDataDate = 7;
constexpr size_t kLogDataSignal = 8;
constexpr size_t kLogDataPulse = 9;
constexpr size_t kLogDataFields = kLogDataPulse + 1;

// The recorder and card ids of the header: at most 30 bytes of UTF-8, of
// which the first 10 characters are kept.
constexpr size_t kLogIdMaxBytes = 30;
constexpr size_t kLogIdChars = 10;

inline std::string LogHeaderId(std::string_view field) {
  return Utf8Prefix(field.substr(0, kLogIdMaxBytes), kLogIdChars);
}
