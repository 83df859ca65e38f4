#pragma once
// The rules a printer choice is held to before anything is printed: the
// pages are laid out for A4 portrait only, and the print quality the user
// picked becomes the resolution the pages are drawn at.

#include <optional>
#include <string>

#include "export/ExportMessages.h"

// The system's paper codes this program knows by name.
constexpr int kPaperLetter = 1;
constexpr int kPaperA4 = 9;

// The standard print quality codes, from the highest level to the lowest.
constexpr int kQualityHigh = -4;
constexpr int kQualityMedium = -3;
constexpr int kQualityLow = -2;
constexpr int kQualityDraft = -1;

// What the system's print setup gave.
struct PrinterChoice {
  std::string device;
  bool landscape = false;
  int paper = kPaperA4;
  int quality = 0;  // a quality code, or a resolution in dots per inch
};

// The choice as printing uses it.
struct PrintSettings {
  std::string device;
  bool landscape = false;
  int paper = kPaperA4;
  int dpi = 300;
};

struct PrintSetupOutcome {
  PrintSettings settings;
  // Said to the user when the choice had to be corrected.
  std::optional<LangText> message;
};

// 1200, 600, 300 and 150 dots per inch for the four quality codes; 300 for
// anything else, a resolution in dots per inch included.
int PrintQualityDpi(int quality);

// The quality code of a resolution the command line names (150, 300, 600
// or 1200); nothing for another value.
std::optional<int> PrintQualityOfDpi(int dpi);

// Portrait (with the message when landscape was chosen), A4 whatever paper
// was chosen, and the resolution of the quality.
PrintSetupOutcome ApplyPrintSetupRules(const PrinterChoice& choice);
