#pragma once
// Loading recordings the way the loading dialog does, for the commands:
// start the reader, wait for its completion, report failure as one line.

#include <cstdint>
#include <string>

#include "recording/InfoEventFile.h"
#include "recording/InfoLogFile.h"
#include "recording/WaitingLoadObserver.h"

// Whether path can be given to a reader: it opens, is a regular file, is
// not empty and (with a maxBytes) not larger than that. Otherwise one error
// line says what is wrong with which file.
bool CheckInputFile(const std::string& path, uint64_t maxBytes = 0);

// Loads a video recording; returns the observer's status after the load
// (1 done, 3 failed), or 3 when the load could not even start.
LoadStatus LoadVideoForCli(const std::string& vddPath, CInfoEventFile& recording, WaitingLoadObserver& observer);

// Loads a log recording; the same statuses.
LoadStatus LoadLogForCli(const std::string& logPath, CInfoLogFile& recording, WaitingLoadObserver& observer);

// "%.4d.%.2d.%.2d %.2d:%.2d:%.2d.%.3d" of a date and time.
std::string FormatDateTime(const DateTime& time);
