// korvane-cli: the viewer's readers and exports, headless.

#include <CLI/CLI.hpp>
#include <ctime>

#include "cli/CliCommon.h"
#include "cli/Commands.h"

int main(int argc, char** argv) {
  tzset();  // local times follow the process's TZ
  CLI::App app{"Korvane drive recorder card tool", "korvane-cli"};
  app.require_subcommand(1);
  int exitStatus = kExitOk;
  AddMakeSampleCardCommand(app, exitStatus);
  AddFramesCommand(app, exitStatus);
  AddLogCommand(app, exitStatus);
  AddFrameCommand(app, exitStatus);
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
