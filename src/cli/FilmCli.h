#pragma once
// What export-avi and export-mp4 share: the recordings a film is cut from,
// the range end of --until, and the run of a started film job to its end
// with the report the command prints.

#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/ExportCli.h"
#include "export/AviExportJob.h"
#include "recording/InfoEventFile.h"

// The recordings named on the command line, loaded in order.
struct FilmRecordings {
  std::vector<std::unique_ptr<CInfoEventFile>> loaded;
  // What the job reads, from startFrame of the first recording on.
  AviExportSource Source(int startFrame) const;
};

// Nothing (and the reason said) when a file does not load or the first one
// holds no frames.
std::optional<FilmRecordings> LoadFilmRecordings(const std::vector<std::string>& paths);

// --until on a normal recording's range: false (and the message said) for a
// text that is no time, or for an event recording, which is written whole.
bool ApplyRangeEnd(const std::optional<std::string>& until, const CInfoEventFile& recording, DateTime& rangeEnd);

// A started film job's end as the command reports it.
struct FilmJobReport {
  std::string outputPath;
  LangText startFailure;
  std::function<LangText(ExportResult)> resultMessage;
  std::function<void(ExportResult)> printJson;  // nothing without --json
};

// Starts the job, waits for its end (signals cancel it) and prints the
// report; the command's exit status.
template <typename Job, typename Inputs>
int RunFilmJob(Job& job, const Inputs& inputs, const AviExportSource& source, bool yes, ManualUiQueue& ui,
               const FilmJobReport& report) {
  OverwriteAnswer answer(yes);
  ExportResult result = ExportResult::kFailed;
  const AviStartResult start = job.Start(inputs, source, answer, [&result](ExportResult r) { result = r; });
  const auto printFailure = [&job](const LangText& message) {
    const std::string text = MessageText(message);
    PrintError(job.Error().empty() ? text : text + ": " + job.Error());
  };
  if (start.outcome == AviStart::kDeclined) {
    PrintNotOverwritten(report.outputPath);
    return kExitLoadFailed;
  }
  if (start.outcome != AviStart::kStarted) {
    printFailure(start.message.value_or(report.startFailure));
    return kExitLoadFailed;
  }
  WaitForExportEnd(
      ui, [&job] { return job.Running(); }, [&job] { job.Cancel(); });

  if (report.printJson) {
    report.printJson(result);
  } else if (result == ExportResult::kDone) {
    std::cout << job.OutputPath() << "\n";
  }
  if (result == ExportResult::kDone) return kExitOk;
  printFailure(report.resultMessage(result));
  return kExitLoadFailed;
}
