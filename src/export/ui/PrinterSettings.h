#pragma once
// The application's printer settings: one QPrinter that lives as long as the
// application, so that the printer, paper and resolution chosen in one print
// setup hold for the next print. On a machine without a printer Qt's PDF
// output is the printer, so a report can always be made.
#include <QSize>
#include <QString>
#include <optional>

#include "export/ExportMessages.h"

class QPrinter;

// The printer; made on first use.
QPrinter& ApplicationPrinter();

// What the name field of the print dialog shows: the printer's name, or for
// PDF output the file it writes.
QString PrinterDisplayName(const QPrinter& printer);

// Holds the printer to A4 portrait and the resolution of its quality; the
// message to show when its orientation had to be corrected.
std::optional<LangText> ApplyPrinterRules(QPrinter& printer);

// The printer's printable area, in its device pixels: the page the painter
// fills, whose shape the preview keeps.
QSize PrintableSize(const QPrinter& printer);
