#pragma once
// The printed pages written as a PDF file (A4 portrait, the printer's
// margins), without a printer or a window: korvane-cli's print-pdf.

#include <functional>
#include <string>

#include "platform/OutputFile.h"

class PrintDocument;

// The page margin a printer leaves unprinted, kept on the PDF too so that
// its pages look like printed ones.
inline constexpr double kPrintMarginMm = 6.0;

// Writes every page at dpi as the output file path (an existing file only
// when overwrite allows, never one that guard forbids); false with the
// reason in error otherwise, and false with nothing written when cancelled
// says so once the pages are drawn.
bool WritePrintPdf(const PrintDocument& document, const std::string& path, Overwrite overwrite,
                   const OutputGuard& guard, int dpi, const std::function<bool()>& cancelled, std::string& error);
