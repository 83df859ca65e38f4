// korvane-cli scan ROOT [--json] [--no-verify]: a card's layout, the
// check-files pass and the three file lists, as the window's Open shows them.
// korvane-cli pulse TYPE COUNT: km/h of a speed-pulse count.

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/PrintableText.h"
#include "platform/ManualPorts.h"
#include "recording/CardFolders.h"
#include "recording/FileListRows.h"
#include "recording/LogSource.h"
#include "recording/MgrDBSearch.h"

namespace {

// The store's message boxes without a screen: messages are kept for the
// output, and questions answer Cancel, so nothing is started that would
// need a person (the disk check after damaged files).
class CliPrompt final : public Prompt {
 public:
  PromptAnswer Show(const std::string& text, const std::string&, PromptButtons buttons) override {
    if (buttons == PromptButtons::Ok && !message_) message_ = text;
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }

  std::string Message() const { return message_.value_or(std::string()); }

 private:
  std::optional<std::string> message_;
};

struct ScanRequest {
  std::string root;
  bool json = false;
  bool noVerify = false;
};

struct ListOutput {
  const char* key;
  const char* heading;
  FileListKind kind;
};

constexpr ListOutput kLists[] = {
    {"event", "event list", FileListKind::kEvent},
    {"normal", "normal list", FileListKind::kNormal},
    {"log", "log list", FileListKind::kLog},
};

Json RowJson(const FileListRow& row, FileListKind kind) {
  Json json{{"no", row.no}, {"title", row.title}};
  if (kind == FileListKind::kEvent)
    json["type"] = row.type;
  else
    json["duration"] = row.duration;
  json["path"] = row.path;
  json["drid"] = row.drid;
  json["sdid"] = row.sdid;
  if (kind == FileListKind::kLog) {
    json["start"] = row.start;
    json["end"] = row.end;
  }
  return json;
}

Json ScanJson(const CMgrDBSearch& store, const AppState& app, const std::string& root, bool valid,
              const std::string& message) {
  const CardScanReport& scan = store.LastScan();
  Json json{{"root", root},
            {"valid", valid},
            {"message", message},
            {"counts", {{"event", scan.counts.event}, {"normal", scan.counts.normal}, {"log", scan.counts.log}}},
            {"crashed", scan.crashed},
            {"pulse_type", store.PulseType()},
            {"deleted", scan.deleted}};
  for (const ListOutput& list : kLists) {
    Json rows = Json::array();
    for (const FileListRow& row : MakeFileListRows(store, list.kind)) rows.push_back(RowJson(row, list.kind));
    json[list.key] = std::move(rows);
  }
  json["has_logs"] = app.hasLogs;
  Json unreadable = Json::array();
  for (const UnreadableFolder& folder : scan.unreadable)
    unreadable.push_back(Json{{"path", folder.path}, {"reason", folder.reason}});
  json["unreadable"] = std::move(unreadable);
  return json;
}

void PrintList(const CMgrDBSearch& store, const ListOutput& list) {
  const std::vector<FileListRow> rows = MakeFileListRows(store, list.kind);
  std::printf("%s: %zu\n", list.heading, rows.size());
  if (rows.empty()) return;
  const char* third = list.kind == FileListKind::kEvent ? "type" : "duration";
  std::printf("  %6s  %-28s %-20s %-10s %-10s %s\n", "no.", "title", third, "drid", "sdid", "path");
  for (const FileListRow& row : rows) {
    const std::string& detail = list.kind == FileListKind::kEvent ? row.type : row.duration;
    std::printf("  %6s  %-28s %-20s %-10s %-10s %s", Printable(row.no).c_str(), Printable(row.title).c_str(),
                OrDash(detail).c_str(), OrDash(row.drid).c_str(), OrDash(row.sdid).c_str(),
                Printable(row.path).c_str());
    if (list.kind == FileListKind::kLog) {
      std::printf("  [%lld .. %lld]", static_cast<long long>(row.start), static_cast<long long>(row.end));
    }
    std::printf("\n");
  }
}

void PrintText(const CMgrDBSearch& store, const AppState& app, const std::string& root, bool valid,
               const std::string& message) {
  const CardScanReport& scan = store.LastScan();
  std::printf("root: %s\n", Printable(root).c_str());
  std::printf("valid: %s%s%s\n", valid ? "yes" : "no", message.empty() ? "" : " - ", Printable(message).c_str());
  if (!valid) return;
  std::printf("files: %d event, %d normal, %d log\n", scan.counts.event, scan.counts.normal, scan.counts.log);
  if (scan.crashed) {
    std::printf("crashed: yes - damaged files were found; a disk check of the card is advised\n");
  } else {
    std::printf("crashed: no\n");
  }
  std::printf("pulse type: %d\n", store.PulseType());
  std::printf("deleted: %zu\n", scan.deleted.size());
  for (const std::string& path : scan.deleted) std::printf("  %s\n", Printable(path).c_str());
  for (const ListOutput& list : kLists) PrintList(store, list);
  std::printf("has logs: %s\n", app.hasLogs ? "yes" : "no");
}

// Why the layout check refused root, in the system's words where it has any.
std::string WhyInvalid(const std::string& root) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(root, error);
  if (error) return error.message();
  if (!std::filesystem::is_directory(status)) return "not a folder";
  if (!std::filesystem::is_directory(EventFolderPath(root), error)) return "it has no ch1/event folder";
  if (!std::filesystem::is_directory(LogFolderPath(root), error)) return "it has no log folder";
  return "";
}

// Everything that leaves the lists short of the card, one line each.
void PrintProblems(const CMgrDBSearch& store, const std::string& root, bool valid, const std::string& message) {
  if (!valid) {
    const std::string why = WhyInvalid(root);
    PrintError(root + ": " + message + (why.empty() ? "" : " (" + why + ")"));
    return;
  }
  for (const UnreadableFolder& folder : store.LastScan().unreadable) {
    PrintError("cannot list " + folder.path + ": " + folder.reason);
  }
  // Listed, as the window lists it, but no load of it can succeed.
  for (const std::string& path : store.Catalogue().log) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > LogSource::kMaxWholeBytes) {
      PrintError(path + " is larger than " + std::to_string(LogSource::kMaxWholeBytes >> 20) +
                 " MB, more than any recorder writes: it cannot be loaded");
    }
  }
}

int RunScan(const ScanRequest& request) {
  CliPrompt prompt;
  ManualUiQueue ui;
  AppState app;
  const Volumes volumes;
  CMgrDBSearch store(prompt, ui, app, volumes);
  if (request.noVerify) {
    store.SetCheckFilesRunner([&ui](CheckFilesPass& pass) {
      pass.SetVerify(false);
      pass.Start(ui, {});
      pass.Join();
    });
  }
  const bool valid = store.ChooseRoot(request.root);
  if (valid) store.Scan();
  if (request.json)
    std::cout << WriteJson(ScanJson(store, app, request.root, valid, prompt.Message()));
  else
    PrintText(store, app, request.root, valid, prompt.Message());
  PrintProblems(store, request.root, valid, prompt.Message());
  return valid && store.LastScan().unreadable.empty() ? kExitOk : kExitLoadFailed;
}

}  // namespace

void AddScanCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("scan", "Check a card or backup folder and print its file lists");
  auto request = std::make_shared<ScanRequest>();
  command->add_option("ROOT", request->root, "the card's mount point or a backup folder")->required();
  command->add_flag("--json", request->json, "print JSON");
  command->add_flag("--no-verify", request->noVerify,
                    "list the files without checking them (nothing on the card is deleted)");
  command->callback([&exitStatus, request] { exitStatus = RunScan(*request); });
}

void AddPulseCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("pulse", "Convert a speed-pulse count to km/h for a pulse type");
  auto type = std::make_shared<int>(kUnknownPulseType);
  auto count = std::make_shared<int>(0);
  command->add_option("TYPE", *type, "the card's CARPULSETYPE (0..5; others give 0 km/h)")->required();
  command->add_option("COUNT", *count, "the pulse count")->required();
  command->callback([&exitStatus, type, count] {
    std::printf("%d\n", CMgrDBSearch::PulseToKmhFor(*type, *count));
    exitStatus = kExitOk;
  });
}
