#pragma once

#include "base/AppState.h"
// The rows of the search window's list boxes after a load: one per loaded
// video recording, one per loaded log, and the event markers of the
// current recording. Each row carries its item value: the recording, log or
// frame index it stands for.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CInfoEventFile;
class CInfoLogFile;
class CMgrDBSearch;

struct LoadedListRow {
  std::string text;
  int itemValue = -1;
};

// The event type text of an event code: the extended event name when the
// code is the extended one, else the code's name; empty for unknown codes.
std::string EventTypeText(uint8_t code, uint8_t extendedCode);

// " 12,  2024.06.14 09:30:00 [G-Sensor]": the number of the file title, the
// first frame's date and time and, in event mode, the recording's event type
// or, in normal mode, its duration text. A recording without frames is
// " 12,  0012.vdd [Crashed Video]"; one without a file title gives "".
std::string LoadedRecordingText(const CInfoEventFile& recording, ViewMode viewMode);
std::vector<LoadedListRow> LoadedRecordingRows(const std::vector<std::unique_ptr<CInfoEventFile>>& videos,
                                               ViewMode viewMode);

// The same form for a log, with its first record's date and time and its
// duration text; "" for a log without records.
std::string LoadedLogText(const CMgrDBSearch& store, const CInfoLogFile& log);
std::vector<LoadedListRow> LoadedLogRows(const CMgrDBSearch& store);

// One row per frame where an event starts (a non-zero event code after a
// frame with none, or on the first frame), carrying the frame index; else
// the one row ",No Event is triggered" with item value -1.
std::vector<LoadedListRow> EventMarkerRows(const CInfoEventFile& recording);
