#pragma once
// The two clocks of a log file: the recorder's local time in its data
// sentences and the receiver's UTC in "$GPRMC".

#include <cstdint>
#include <string_view>

#include "platform/DateTime.h"

// The record time of a data sentence in milliseconds on the time-key scale,
// from its time field (hhmmss then three characters of milliseconds) and its
// date field (ddmmyy, year + 2000), taken as local time. 0 when the sentence
// carries no time: either field empty or shorter than its six digits, or both
// "000000".
int64_t LogRecordTime(std::string_view timeField, std::string_view dateField);

// The "$GPRMC" date and time (hhmmss.sss, ddmmyy) in UTC, normalised as a
// calendar date; all zero under the same conditions as above.
DateTime GpsDateTime(std::string_view timeField, std::string_view dateField);
