// korvane-cli search-log LOG... [--speed S] [--x X] [--y Y] [--z Z] [--json]:
// loads the logs as the log list's Load does (they must be in time order)
// and runs the log search pane's search; each option given ticks its box
// with its value.

#include <array>
#include <cstdio>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/KeptMessagesPrompt.h"
#include "cli/PrintableText.h"
#include "platform/ManualPorts.h"
#include "playback/ListEvent.h"
#include "playback/LoadSequence.h"
#include "playback/LoadingDialogModel.h"
#include "playback/LogSearch.h"
#include "playback/WaitingLoadingDialogRunner.h"
#include "recording/FileListRows.h"
#include "recording/LogSource.h"
#include "recording/MgrDBSearch.h"

namespace {

// The waiting dialogs, remembering which file the failed one was loading.
class NamingDialogRunner final : public LoadingDialogRunner {
 public:
  LoadResult Run(LoadingDialogModel& dialog) override {
    const LoadResult result = dialogs_.Run(dialog);
    if (result == LoadResult::kFailed) failedPath_ = dialog.Path();
    return result;
  }
  const std::string& FailedPath() const { return failedPath_; }

 private:
  WaitingLoadingDialogRunner dialogs_;
  std::string failedPath_;
};

struct SearchRequest {
  std::vector<std::string> logs;
  std::string speed;
  std::array<std::string, 3> axes;
  bool json = false;
};

constexpr const char* kAxisOptions[] = {"--x", "--y", "--z"};

bool AllAreLoadable(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) {
    if (!CheckInputFile(path, LogSource::kMaxWholeBytes)) return false;
  }
  return true;
}

// Names the first log that starts before the one given ahead of it ends.
void PrintTimeOrder(const CMgrDBSearch& store, const std::vector<std::string>& paths) {
  for (size_t i = 1; i < paths.size(); ++i) {
    if (store.ReadLogStartTime(paths[i]) >= store.ReadLogEndTime(paths[i - 1])) continue;
    PrintError("the logs are not in time order: " + paths[i] + " starts before " + paths[i - 1] + " ends");
    return;
  }
}

void FillFields(const SearchRequest& request, LogSearchFields& fields) {
  fields.speedChecked = !request.speed.empty();
  if (fields.speedChecked) fields.speedText = request.speed;
  for (size_t i = 0; i < request.axes.size(); ++i) {
    fields.axisChecked[i] = !request.axes[i].empty();
    if (fields.axisChecked[i]) fields.axisText[i] = request.axes[i];
    fields.accelChecked = fields.accelChecked || fields.axisChecked[i];
  }
}

void PrintRows(const std::vector<LogSearchRow>& rows, bool json) {
  if (json) {
    Json out = Json::array();
    for (const LogSearchRow& row : rows) {
      out.push_back(Json{{"no", std::stoi(row.no)},
                         {"date_time", row.dateTime},
                         {"log", row.log},
                         {"record", row.record},
                         {"event_type", row.eventType}});
    }
    std::cout << WriteJson(out);
    return;
  }
  std::printf("%5s  %-19s  %4s  %6s  %s\n", "No.", "date and time", "log", "record", "event type");
  for (const LogSearchRow& row : rows) {
    std::printf("%5s  %-19s  %4d  %6s  %s\n", row.no.c_str(), Printable(row.dateTime).c_str(), row.log,
                row.recordText.c_str(), Printable(row.eventType).c_str());
  }
}

int RunSearch(const SearchRequest& request) {
  if (!AllAreLoadable(request.logs)) return kExitLoadFailed;
  KeptMessagesPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  const Volumes volumes;
  CMgrDBSearch store(prompt, ui, app, volumes);

  std::vector<FileListRow> rows;
  for (const std::string& path : request.logs) rows.push_back(MakeFileListRow(store, FileListKind::kLog, path));
  CListEvent list(FileListKind::kLog);
  list.Fill(rows);
  list.SetAllChecked(true);
  NamingDialogRunner dialogs;
  LoadSequence loading(store, prompt, dialogs);
  switch (loading.LoadLogs(list)) {
    case LoadOutcome::kLoaded:
      break;
    case LoadOutcome::kNotTimeOrder:
      PrintTimeOrder(store, request.logs);
      return kExitLoadFailed;
    case LoadOutcome::kFailed:
      PrintError("cannot load " + dialogs.FailedPath() + ": no log record could be read");
      return kExitLoadFailed;
    default:
      prompt.PrintMessages();
      return kExitLoadFailed;
  }

  LogSearch search;
  FillFields(request, search.Fields());
  PrintRows(search.Search(store.Logs()), request.json);
  return kExitOk;
}

}  // namespace

void AddSearchLogCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("search-log", "Load logs (.log) in time order and search their records");
  auto request = std::make_shared<SearchRequest>();
  command->add_option("LOG", request->logs, "the log files, earliest first")->required();
  command->add_option("--speed", request->speed, "GPS speed over, km/h")->check(CLI::Number);
  for (size_t i = 0; i < request->axes.size(); ++i) {
    const std::string axis(1, static_cast<char>('X' + i));
    command->add_option(kAxisOptions[i], request->axes[i], "G-sensor " + axis + " value over, g")->check(CLI::Number);
  }
  command->add_flag("--json", request->json, "print JSON");
  command->callback([&exitStatus, request] { exitStatus = RunSearch(*request); });
}
