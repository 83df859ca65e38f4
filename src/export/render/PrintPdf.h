#pragma once
// The printed pages written as a PDF file (A4 portrait, the printer's
// margins), without a printer or a window: korvane-cli's print-pdf.

#include <string>

class PrintDocument;

// The page margin a printer leaves unprinted, kept on the PDF too so that
// its pages look like printed ones.
inline constexpr double kPrintMarginMm = 6.0;

// Writes every page at dpi under a temporary name beside path and renames it
// onto path when complete; false with the reason in error otherwise.
bool WritePrintPdf(const PrintDocument& document, const std::string& path, int dpi, std::string& error);
