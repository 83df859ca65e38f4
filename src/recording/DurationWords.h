#pragma once
// The words a duration is counted in ("Sec", "Min" in English). They come
// from the language file, which is read whole for every text asked of it, so
// a list of many rows asks for them once.

#include <string>

struct DurationWords {
  std::string second;
  std::string minute;
};

DurationWords ReadDurationWords();
