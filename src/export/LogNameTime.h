#pragma once
// The start date and time a log's file name carries ("0001,20240614_093000.log":
// number, comma, date and time), which names the KML file and, failing any
// GPS fix, the KML document.

#include <optional>
#include <string>

#include "platform/DateTime.h"

class CInfoLogFile;

// The date and time of the name's "YYYYMMDD_HHMMSS" part, with its day of
// the week; nothing when the name carries none.
std::optional<DateTime> LogNameStartTime(const std::string& path);

// The log's start as its file name carries it; for a renamed file the time
// of its first record, and the start of 1970 without one.
DateTime LogStartTime(const CInfoLogFile& log);

// "KX_%.4d%.2d%.2d_%.2d%.2d%.2d" of the first log's start.
std::string KmlProposedFileName(const CInfoLogFile& firstLog);
