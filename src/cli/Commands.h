#pragma once
// The commands of korvane-cli. Each adds its subcommand to the application
// and runs it when chosen; the run sets the exit status.

#include <CLI/CLI.hpp>

void AddMakeSampleCardCommand(CLI::App& app, int& exitStatus);
void AddFramesCommand(CLI::App& app, int& exitStatus);
void AddLogCommand(CLI::App& app, int& exitStatus);
void AddFrameCommand(CLI::App& app, int& exitStatus);
void AddSettingsCommand(CLI::App& app, int& exitStatus);
void AddScanCommand(CLI::App& app, int& exitStatus);
void AddTripsCommand(CLI::App& app, int& exitStatus);
void AddHardCommand(CLI::App& app, int& exitStatus);
void AddPulseCommand(CLI::App& app, int& exitStatus);
void AddSearchLogCommand(CLI::App& app, int& exitStatus);
void AddPlayCommand(CLI::App& app, int& exitStatus);
void AddExportJpegCommand(CLI::App& app, int& exitStatus);
void AddExportAviCommand(CLI::App& app, int& exitStatus);
void AddExportMp4Command(CLI::App& app, int& exitStatus);
void AddExportKmlCommand(CLI::App& app, int& exitStatus);
// export-gpx, export-csv: one command a track format, named as the window's.
void AddTrackExportCommands(CLI::App& app, int& exitStatus);
void AddPrintPdfCommand(CLI::App& app, int& exitStatus);
void AddBackupCommand(CLI::App& app, int& exitStatus);
void AddDeleteFilesCommand(CLI::App& app, int& exitStatus);
void AddCheckCommand(CLI::App& app, int& exitStatus);
void AddFormatCommand(CLI::App& app, int& exitStatus);
void AddInitCardCommand(CLI::App& app, int& exitStatus);
void AddDeviceSettingsCommand(CLI::App& app, int& exitStatus);
void AddMapCommandsCommand(CLI::App& app, int& exitStatus);
void AddServeMapCommand(CLI::App& app, int& exitStatus);
