#include "export/ui/PrinterSettings.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include "export/PrintSetup.h"
#include "export/PrintToFile.h"

namespace {

// Owns the printer beside the application object, so that it goes before
// the application does.
class PrinterHolder final : public QObject {
 public:
  explicit PrinterHolder(QObject* application) : QObject(application) {
    setObjectName(QStringLiteral("applicationPrinter"));
    printer_.setDocName(QStringLiteral("Nemora"));
    // Without a printer Qt's PDF output is the printer; it needs a file.
    if (printer_.outputFormat() == QPrinter::PdfFormat && printer_.outputFileName().isEmpty())
      printer_.setOutputFileName(QString::fromStdString(DefaultPrintPdfPath().string()));
    ApplyPrinterRules(printer_);
  }
  QPrinter& Printer() { return printer_; }

 private:
  QPrinter printer_{QPrinter::HighResolution};
};

int PaperCode(const QPageSize& size) {
  switch (size.id()) {
    case QPageSize::A4:
      return kPaperA4;
    case QPageSize::Letter:
      return kPaperLetter;
    default:
      return 0;
  }
}

}  // namespace

QPrinter& ApplicationPrinter() {
  QObject* application = QCoreApplication::instance();
  auto* holder =
      application->findChild<PrinterHolder*>(QStringLiteral("applicationPrinter"), Qt::FindDirectChildrenOnly);
  if (holder == nullptr) holder = new PrinterHolder(application);
  return holder->Printer();
}

QString PrinterDisplayName(const QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat)
    return printer.outputFileName().isEmpty() ? QStringLiteral("PDF")
                                              : QStringLiteral("PDF: ") + printer.outputFileName();
  return printer.printerName();
}

std::optional<LangText> ApplyPrinterRules(QPrinter& printer) {
  PrinterChoice choice;
  choice.device = printer.printerName().toStdString();
  choice.landscape = printer.pageLayout().orientation() == QPageLayout::Landscape;
  choice.paper = PaperCode(printer.pageLayout().pageSize());
  // Qt reports the print quality as the resolution in dots per inch.
  choice.quality = printer.resolution();
  const PrintSetupOutcome outcome = ApplyPrintSetupRules(choice);
  printer.setPageOrientation(QPageLayout::Portrait);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setResolution(outcome.settings.dpi);
  return outcome.message;
}

QSize PrintableSize(const QPrinter& printer) {
  return printer.pageLayout().paintRectPixels(printer.resolution()).size();
}
