#include "recording/DurationWords.h"

#include "base/MgrMultiLang.h"

DurationWords ReadDurationWords() { return {GetLangText("GUI", "Second", "Sec"), GetLangText("GUI", "Minute", "Min")}; }
