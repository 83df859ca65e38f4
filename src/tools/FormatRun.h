#pragma once
// One run of the format as the format dialog starts it, on its worker
// thread: the cluster size from the card's size (the card-type question
// when it cannot be read), then the formatter.

#include <functional>

#include "tools/CardFormatter.h"
#include "tools/DiskCheckTexts.h"
#include "tools/FormatParams.h"

struct FormatRunOutcome {
  FormatOutcome format;
  // The card-type question was answered "Other Type": nothing was done, and
  // no result message is shown.
  bool abandoned = false;
};

using CardTypeQuestion = std::function<CardTypeAnswer()>;

FormatRunOutcome RunFormat(const FormatTarget& target, bool quick, const CardTypeQuestion& askCardType,
                           CardFormatter& formatter, const FormatProgress& progress, const std::atomic<bool>& cancel);

// "Format OK", "Format Fail" or "Format Cancel".
const LangText& FormatResultText(FormatResult result);
