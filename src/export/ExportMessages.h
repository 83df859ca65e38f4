#pragma once
// The texts the exports show: message boxes (section Message) and the
// captions they carry. Core code hands a message on as its key with the
// English default; whoever shows it looks the text up in the language file.

#include "base/CommonTexts.h"
#include "base/LangText.h"

inline constexpr LangText kMsgInvalidInputdata{"InvalidInputdata", "Invalid value."};
inline constexpr LangText kMsgEnterFileName{"EnterFileName", "Please enter the file name."};
inline constexpr LangText kMsgSaveLogFileFail{"SaveLogFileFail", "Save log file Fail."};
inline constexpr LangText kMsgSaveLogFileCancel{"SaveLogFileCancel", "Save log file Cancel."};
inline constexpr LangText kMsgSaveLogFileOK{"SaveLogFileOK", "Save log file OK."};
inline constexpr LangText kMsgSaveJpegOK{"SaveJpegOK", "Save Jpeg OK"};
inline constexpr LangText kMsgSaveJpegError{"SaveJpegError", "Save Jpeg Error"};
inline constexpr LangText kMsgInvalidAviRange{"InvalidAviRange", "Invalid avi range."};
inline constexpr LangText kMsgNoTrueColorOSDWarn{"NoTrueColorOSDWarn",
                                                 "Display is not true color, OSD won't be displayed."};
inline constexpr LangText kMsgAviOK{"AVIOK", "AVI OK"};
inline constexpr LangText kMsgAviCancel{"AVICancel", "AVI Cancel"};
inline constexpr LangText kMsgAviError{"AVIError", "AVI Error"};
inline constexpr LangText kMsgNotSupportLandscape{"NotSupportLandscape", "Landscape is not supported."};
inline constexpr LangText kMsgPrintOK{"PrintOK", "Print OK"};
inline constexpr LangText kMsgPrintError{"PrintError", "Print Error"};
// Run Google Earth wrote the file but no program took it.
inline constexpr LangText kMsgNoKmlViewer{"NoKmlViewer", "No program is set up to open KML files"};

// Captions of the export message boxes (section GUI). The KML export's
// boxes use the dialog title's key with a default of their own.
inline constexpr LangText kCaptionSaveLogFile{"SaveLogFile", "Save to NMEA Log File"};
inline constexpr LangText kCaptionSaveJpeg{"SaveJpeg", "Save images as Jpeg"};
inline constexpr LangText kCaptionSaveAvi{"SaveAVI", "Save as AVI"};
inline constexpr LangText kCaptionPrintImage{"PrintImage", "Print Images"};

class Prompt;

// A message box of the Message section with OK, titled caption.
void ShowExportMessage(Prompt& prompt, const LangText& message, const LangText& caption);
