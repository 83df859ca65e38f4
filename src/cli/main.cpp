// korvane-cli: the viewer's readers and exports, headless.

#include <CLI/CLI.hpp>
#include <array>
#include <cstdlib>

#include "cli/CliCommon.h"
#include "cli/CommandBoundary.h"
#include "cli/Commands.h"
#include "platform/TimeKey.h"

namespace {

using AddCommand = void (*)(CLI::App&, int&);

// The subcommands, in the order the help lists them.
constexpr std::array kCommands = {
    AddMakeSampleCardCommand, AddFramesCommand,         AddLogCommand,
    AddFrameCommand,          AddSettingsCommand,       AddScanCommand,
    AddTripsCommand,          AddHardCommand,           AddPulseCommand,
    AddSearchLogCommand,      AddPlayCommand,           AddExportJpegCommand,
    AddExportAviCommand,      AddExportMp4Command,      AddExportKmlCommand,
    AddTrackExportCommands,   AddBackupCommand,         AddPrintPdfCommand,
    AddDeleteFilesCommand,    AddCheckCommand,          AddFormatCommand,
    AddInitCardCommand,       AddDeviceSettingsCommand, AddMapCommandsCommand,
    AddServeMapCommand,
};

// Parsing runs the chosen command's callback, which sets the exit status.
int ParseAndRun(CLI::App& app, int argc, char** argv, const int& exitStatus) {
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    PrintError(error.what());
    return kExitUsage;
  }
  return exitStatus;
}

std::string ChosenCommand(const CLI::App& app) {
  const auto chosen = app.get_subcommands();
  return chosen.empty() ? std::string() : chosen.front()->get_name();
}

}  // namespace

int main(int argc, char** argv) {
  NameLocalZoneOnce();
  CLI::App app{"Korvane drive recorder card tool", "korvane-cli"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("korvane-cli ") + KORVANE_VERSION, "Print the version and exit");
  int exitStatus = kExitOk;
  for (AddCommand add : kCommands) add(app, exitStatus);
  return RunAtCommandBoundary([&] { return ParseAndRun(app, argc, argv, exitStatus); },
                              [&app] { return ChosenCommand(app); });
}
