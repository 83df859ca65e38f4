#pragma once
// The shape of the commands that load one recording and print it: FILE,
// then --json or --csv (text without either; --units sets the unit of its
// speed column). A failed load prints nothing
// as text or CSV, but still prints its JSON document, which says so, before
// the failing exit status.

#include <iostream>
#include <memory>
#include <string>

#include "cli/CliCommon.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/SpeedUnitOption.h"
#include "recording/WaitingLoadObserver.h"

struct RecordingCommandHelp {
  const char* name;
  const char* description;
  const char* fileHelp;
  const char* csvHelp;
};

template <typename Recording>
struct RecordingPrinters {
  LoadStatus (*load)(const std::string& path, Recording& recording, WaitingLoadObserver& observer);
  Json (*json)(const std::string& path, LoadStatus status, const Recording& recording);
  void (*csv)(const Recording& recording);
  void (*text)(const std::string& path, const Recording& recording, SpeedUnit unit);
};

template <typename Recording>
void AddRecordingCommand(CLI::App& app, int& exitStatus, const RecordingCommandHelp& help,
                         RecordingPrinters<Recording> print) {
  auto* command = app.add_subcommand(help.name, help.description);
  auto path = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  auto csv = std::make_shared<bool>(false);
  auto unit = std::make_shared<SpeedUnit>(SpeedUnit::kKmh);
  command->add_option("FILE", *path, help.fileHelp)->required();
  auto* jsonFlag = command->add_flag("--json", *json, "print JSON");
  command->add_flag("--csv", *csv, help.csvHelp)->excludes(jsonFlag);
  AddSpeedUnitOption(*command, *unit);
  command->callback([&exitStatus, path, json, csv, unit, print] {
    Recording recording;
    WaitingLoadObserver observer;
    const LoadStatus status = print.load(*path, recording, observer);
    if (status == LoadStatus::kFailed && !*json) {
      exitStatus = kExitLoadFailed;
      return;
    }
    if (*json)
      std::cout << WriteJson(print.json(*path, status, recording));
    else if (*csv)
      print.csv(recording);
    else
      print.text(*path, recording, *unit);
    exitStatus = status == LoadStatus::kFailed ? kExitLoadFailed : kExitOk;
  });
}
