#pragma once
// Time keys (see TimeKey.h) of many local times that lie in few hours, as a
// card's file list asks for them: the C library looks the zone up again for
// every conversion, which costs more than the rest of a row. The start of
// each hour is converted once and the times in it are counted from there,
// but only for an hour that lies a day or more away from any change of the
// zone's offset; every other time is converted as MakeTimeKey does, so the
// keys are the same.

#include <cstdint>
#include <optional>
#include <unordered_map>

#include "platform/DateTime.h"

class LocalTimeKeys {
 public:
  int64_t Key(const DateTime& local);

 private:
  // Seconds since 1970 UTC of the hour's start; nothing for an hour that is
  // converted time by time.
  std::optional<int64_t> HourStart(const DateTime& local);

  std::unordered_map<uint64_t, std::optional<int64_t>> hours_;
};
