#pragma once
// Printing without a printer: the pages go to a PDF file the user names,
// and the result message says which file was written.
#include <filesystem>
#include <string>

// Where the file name the user is asked for starts: "Nemora.pdf" in the
// documents folder, which always exists (a new user's ~/Documents may not;
// the folder then is the home folder).
std::filesystem::path DefaultPrintPdfPath();

// "Print OK" or "Print Error" in the chosen language; for pages that went
// to a file its path follows, so the user knows where to look.
std::string PrintResultText(bool printed, const std::string& pdfPath);
