#pragma once
// What the file lists show for a ".log" file without loading it: the
// recorder and card ids of its header, its start and end time and its
// duration. Each reads only what it needs; unreadable files give empty
// texts and 0. Each also reads a source already open (a log in memory):
// the one by path opens it and asks that.

#include <cstdint>
#include <filesystem>
#include <string>

#include "recording/DurationWords.h"

class LogSource;

struct LogIds {
  std::string drid;
  std::string sdid;
};

// The header's recorder id and card id (first 10 characters each); both
// empty when the first line is not a "$KXDRL3" header.
LogIds ReadLogIds(const std::filesystem::path& path);
LogIds ReadLogIds(const LogSource& source);

// Seconds since 1970 of the first data line with a time; 0 when none.
int64_t ReadLogStartTime(const std::filesystem::path& path);
int64_t ReadLogStartTime(const LogSource& source);

// Seconds since 1970 of the last data line less than an hour and ten seconds
// after the start; 0 when none.
int64_t ReadLogEndTime(const std::filesystem::path& path);
int64_t ReadLogEndTime(const LogSource& source);

// "12 Min", "45 Sec", "?? Min" when the log has no timed data line; empty
// when the file cannot be opened. The words come from the language file.
std::string GetLogDurationText(const std::filesystem::path& path);
std::string GetLogDurationText(const LogSource& source);

// All of the above that the log list shows, read with one open and one
// look for each end; the duration in words already read.
struct LogListFacts {
  LogIds ids;
  int64_t start = 0;
  int64_t end = 0;
  std::string duration;
};
LogListFacts ReadLogListFacts(const std::filesystem::path& path, const DurationWords& words);
LogListFacts ReadLogListFacts(const LogSource& source, const DurationWords& words);
