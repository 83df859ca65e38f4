#include "tools/FormatRun.h"

#include "tools/SdInitTexts.h"

FormatRunOutcome RunFormat(const FormatTarget& target, bool quick, const CardTypeQuestion& askCardType,
                           CardFormatter& formatter, const FormatProgress& progress, const std::atomic<bool>& cancel) {
  FormatRunOutcome run;
  const CardTypeAnswer answer = target.sizeBytes || !askCardType ? CardTypeAnswer::kOther : askCardType();
  const std::optional<uint32_t> cluster = ClusterBytesFor(target.sizeBytes, answer);
  if (!cluster) {
    run.abandoned = true;
    run.format.result = FormatResult::kCancel;
    return run;
  }
  run.format = formatter.Format({target, *cluster, quick}, progress, cancel);
  return run;
}

const LangText& FormatResultText(FormatResult result) {
  switch (result) {
    case FormatResult::kOk:
      return kFormatOk;
    case FormatResult::kCancel:
      return kFormatCancel;
    case FormatResult::kFail:
      break;
  }
  return kFormatFail;
}
