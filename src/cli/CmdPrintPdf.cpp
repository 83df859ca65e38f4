// korvane-cli print-pdf FILE.vdd -o OUT.pdf [--layout 1|2] [--current FRAME |
// --selected FRAME --seconds S | --all] [--fps F] [--title T] [--comment C]
// [--model ID] [--dpi 150|300|600|1200] [--units kmh|mph] [--yes]: the pages the window prints, drawn
// by the same painter, as an A4 PDF file.

#include <filesystem>
#include <iostream>
#include <optional>

#include "cli/CliCommon.h"
#include "cli/CliLoad.h"
#include "cli/Commands.h"
#include "cli/ExportCli.h"
#include "cli/FrameChoice.h"
#include "cli/SpeedUnitOption.h"
#include "export/PrintPages.h"
#include "export/PrintSetup.h"
#include "export/render/PrintPdf.h"
#include "export/render/QtCaptionPainter.h"
#include "recording/ExportGuard.h"

namespace {

struct PrintRequest {
  std::string path;
  std::string output;
  int layout = kPrintLayoutOne;
  FrameChoice choice;
  std::string title;
  std::string comment;
  int model = 0;
  int dpi = 300;
  SpeedUnit units = SpeedUnit::kKmh;
  bool yes = false;
};

int RunPrintPdf(const PrintRequest& request) {
  UseProgramLanguage();
  FailWritesBeyondFileSizeLimit();
  const std::string folder = std::filesystem::path(request.output).parent_path().string();
  const OutputGuard guard = ExportGuard({request.path}, folder);
  if (!OutputAllowed(request.output, guard, request.yes)) return kExitLoadFailed;
  const StopSignals stop;
  CInfoEventFile recording;
  WaitingLoadObserver observer;
  if (LoadVideoForCli(request.path, recording, observer) == LoadStatus::kFailed) return kExitLoadFailed;
  if (recording.FrameCount() < 1) {
    PrintError(request.path + ": no frames");
    return kExitLoadFailed;
  }
  const std::optional<JpegSelection> selection = SelectionOfChoice(request.choice, recording);
  if (!selection) return kExitLoadFailed;
  if (!EnsureTextRendering()) {
    PrintError("no text renderer");
    return kExitLoadFailed;
  }
  const int shown[] = {selection->startFrame};
  PrintDocument document(recording, *selection, shown, request.model, PulseTypeOfCardHolding(request.path));
  document.SetLayout(request.layout);
  document.SetSpeedUnit(request.units);
  document.SetTitle(request.title, request.comment);
  std::string error;
  PrinterChoice choice;
  choice.quality = PrintQualityOfDpi(request.dpi).value_or(request.dpi);
  const int dpi = ApplyPrintSetupRules(choice).settings.dpi;
  if (!WritePrintPdf(document, request.output, OverwriteOf(request.yes), guard, dpi, StopSignals::Requested, error)) {
    if (StopSignals::Requested()) {
      PrintError("cancelled; nothing written");
      return kExitLoadFailed;
    }
    PrintError(MessageText(kMsgPrintError) + ": " + error);
    return kExitLoadFailed;
  }
  std::cout << request.output << ": " << document.PageCount() << " pages\n";
  return kExitOk;
}

}  // namespace

void AddPrintPdfCommand(CLI::App& app, int& exitStatus) {
  auto* command = app.add_subcommand("print-pdf", "Print frames with their recorded data on A4 pages of a PDF file");
  auto request = std::make_shared<PrintRequest>();
  command->add_option("FILE", request->path, "the recording's data file (.vdd)")->required();
  command->add_option("-o,--output", request->output, "the PDF file to write")->required();
  command->add_option("--layout", request->layout, "1: one frame a page (1x1), 2: four (2x2)")
      ->check(CLI::IsMember({kPrintLayoutOne, kPrintLayoutFour}));
  AddFrameChoiceOptions(*command, request->choice);
  command->add_option("--title", request->title, "the print title over every page");
  command->add_option("--comment", request->comment, "the comment under the title");
  command->add_option("--model", request->model, "the recorder model id (9 adds the car pulse and lamps)");
  command->add_option("--dpi", request->dpi, "the print resolution")->check(CLI::IsMember({150, 300, 600, 1200}));
  AddSpeedUnitOption(*command, request->units);
  command->add_flag("--yes", request->yes, "overwrite an existing file");
  command->callback([&exitStatus, request] { exitStatus = RunPrintPdf(*request); });
}
