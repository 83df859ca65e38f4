#include "export/ui/ExportDialogs.h"

#include "export/PrintPages.h"
#include "export/ui/DlgExportKxLog.h"
#include "export/ui/DlgExportTrack.h"
#include "export/ui/DlgPrintPreview.h"
#include "export/ui/DlgSaveAVI.h"
#include "export/ui/DlgSaveJpeg.h"
#include "export/ui/DlgSaveMp4.h"
#include "export/ui/PrinterSettings.h"
#include "telemetry/SpeedSource.h"

void QtExportDialogLauncher::SaveImages(CInfoEventFile& recording, int startFrame, const std::vector<int>& paneFrames,
                                        const std::vector<unsigned char>& comment) {
  CDlgSaveJpeg dialog(recording, startFrame, paneFrames, comment, settings_, prompt_, parent_);
  dialog.exec();
}

void QtExportDialogLauncher::SaveAvi(AviExportSource source, const std::vector<unsigned char>& comment, int pulseType) {
  CDlgSaveAVI dialog(std::move(source), comment, pulseType, settings_, prompt_, parent_);
  dialog.exec();
}

void QtExportDialogLauncher::SaveMp4(AviExportSource source, int pulseType) {
  CDlgSaveMp4 dialog(std::move(source), pulseType, settings_, prompt_, parent_);
  dialog.exec();
}

// The frames are chosen in the save-images dialog's print mode, then shown
// in the preview, which prints them.
void QtExportDialogLauncher::PrintImages(CInfoEventFile& recording, int startFrame, const std::vector<int>& paneFrames,
                                         const std::vector<unsigned char>& comment, int model, int pulseType) {
  QPrinter& printer = ApplicationPrinter();
  JpegSelection selection;
  {
    CDlgSaveJpeg choice(recording, startFrame, paneFrames, comment, settings_, prompt_, parent_,
                        JpegPrintMode{PrinterDisplayName(printer)});
    if (choice.exec() != QDialog::Accepted) return;
    selection = choice.Selection();
  }
  PrintDocument document(recording, selection, paneFrames, model, pulseType);
  document.SetSpeedUnit(SpeedUnitOf(settings_));
  CDlgPrintPreview preview(document, printer, prompt_, parent_);
  preview.exec();
}

void QtExportDialogLauncher::ExportKml(std::vector<const CInfoLogFile*> logs, const GSensorGraphModel* logGraph) {
  CDlgExportKxLog dialog(std::move(logs), logGraph, settings_, prompt_, desktop_, parent_);
  dialog.exec();
}

void QtExportDialogLauncher::ExportTrack(const TrackFormat& format, const std::string& path,
                                         std::vector<TrackSource> sources, int pulseType) {
  CDlgExportTrack dialog(format, path, std::move(sources), pulseType, prompt_, parent_);
  if (dialog.Start()) dialog.exec();
}
