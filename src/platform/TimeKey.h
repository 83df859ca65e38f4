#pragma once
// The time key: milliseconds made from a local date and time as
// (seconds since 1970-01-01 00:00 UTC of that local time, daylight saving
// decided by the system) x 1000 + milliseconds. Frame times, log record
// times, the play position, the graph and the slide bar all compare keys.

#include <cstdint>

#include "platform/DateTime.h"

// Key of a local date and time. A date in 1970 or earlier whose month and day
// are both 1 or less is taken as 1970-01-02 at the same time of day, so no
// key comes out negative for the recorder's "no date" frames.
int64_t MakeTimeKey(const DateTime& local);

// Local date and time of a key (the inverse, for display); the day of the
// week is filled in.
DateTime TimeKeyToDateTime(int64_t key);

// Seconds since 1970 UTC of a local calendar time, with the fields
// normalised as the C library does (month 13 is January of the next year,
// and so on). Daylight saving is decided by the system.
int64_t LocalToEpochSeconds(int year, int month, int day, int hour, int minute, int second);

// A local calendar time normalised to a valid date, with its day of week.
DateTime NormalizeLocal(int year, int month, int day, int hour, int minute, int second, int milliseconds);

// A UTC calendar time normalised to a valid date, with its day of week.
DateTime NormalizeUtc(int year, int month, int day, int hour, int minute, int second, int milliseconds);

// The local offset from UTC in seconds now, plus 3600 while daylight saving
// time is in effect (the recording's time-zone offset).
int CurrentZoneOffsetSeconds();

// Local times follow the process's TZ. Without one, glibc looks at
// /etc/localtime again for every mktime: for each file a card scan lists.
// Naming it once (unless the user named one) is the same zone without a
// file-system call per conversion. Call at start, before any thread.
void NameLocalZoneOnce();
