// korvane-cli: the viewer's readers and exports, headless.

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <ctime>

#include "cli/CliCommon.h"
#include "cli/Commands.h"

int main(int argc, char** argv) {
  // Local times follow the process's TZ. Without one, glibc looks at
  // /etc/localtime again for every conversion; naming it once is the same
  // zone without a file-system call per log record.
  setenv("TZ", ":/etc/localtime", 0);
  tzset();
  CLI::App app{"Korvane drive recorder card tool", "korvane-cli"};
  app.require_subcommand(1);
  int exitStatus = kExitOk;
  AddMakeSampleCardCommand(app, exitStatus);
  AddFramesCommand(app, exitStatus);
  AddLogCommand(app, exitStatus);
  AddFrameCommand(app, exitStatus);
  AddSettingsCommand(app, exitStatus);
  AddScanCommand(app, exitStatus);
  AddPulseCommand(app, exitStatus);
  AddSearchLogCommand(app, exitStatus);
  AddPlayCommand(app, exitStatus);
  AddExportJpegCommand(app, exitStatus);
  AddExportKmlCommand(app, exitStatus);
  AddExportGpxCommand(app, exitStatus);
  AddExportCsvCommand(app, exitStatus);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::ParseError& error) {
    PrintError(error.what());
    return kExitUsage;
  }
  return exitStatus;
}
