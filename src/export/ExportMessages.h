#pragma once
// The texts the exports show: message boxes (section Message) and the
// captions they carry. Core code hands a message on as its key with the
// English default; whoever shows it looks the text up in the language file.

#include <string>
#include <string_view>

struct ExportMessage {
  std::string_view key;
  std::string_view defaultText;

  friend bool operator==(const ExportMessage& a, const ExportMessage& b) { return a.key == b.key; }
};

inline constexpr ExportMessage kMsgInvalidInputdata{"InvalidInputdata", "Invalid value."};
inline constexpr ExportMessage kMsgFolderNotExist{"FolderNotExist",
                                                  "Folder does not exist, Please select folder again."};
inline constexpr ExportMessage kMsgFolderNotAuthority{"FolderNotAuthority", "You don't have access to this folder."};
inline constexpr ExportMessage kMsgEnterFileName{"EnterFileName", "Please enter the file name."};
inline constexpr ExportMessage kMsgSameFileOverwrite{"SameFileOverwrite", "Same file exists, Overwrite this file ?"};
inline constexpr ExportMessage kMsgSaveLogFileFail{"SaveLogFileFail", "Save log file Fail."};
inline constexpr ExportMessage kMsgSaveLogFileCancel{"SaveLogFileCancel", "Save log file Cancel."};
inline constexpr ExportMessage kMsgSaveLogFileOK{"SaveLogFileOK", "Save log file OK."};
inline constexpr ExportMessage kMsgSaveJpegOK{"SaveJpegOK", "Save Jpeg OK"};
inline constexpr ExportMessage kMsgSaveJpegError{"SaveJpegError", "Save Jpeg Error"};
inline constexpr ExportMessage kMsgInvalidAviRange{"InvalidAviRange", "Invalid avi range."};
inline constexpr ExportMessage kMsgNoTrueColorOSDWarn{"NoTrueColorOSDWarn",
                                                      "Display is not true color, OSD won't be displayed."};
inline constexpr ExportMessage kMsgAviOK{"AVIOK", "AVI OK"};
inline constexpr ExportMessage kMsgAviCancel{"AVICancel", "AVI Cancel"};
inline constexpr ExportMessage kMsgAviError{"AVIError", "AVI Error"};
inline constexpr ExportMessage kMsgNotSupportLandscape{"NotSupportLandscape", "Landscape is not supported."};
inline constexpr ExportMessage kMsgPrintOK{"PrintOK", "Print OK"};
inline constexpr ExportMessage kMsgPrintError{"PrintError", "Print Error"};
// Run Google Earth wrote the file but no program took it.
inline constexpr ExportMessage kMsgNoKmlViewer{"NoKmlViewer", "No program is set up to open KML files"};

// Captions of the export message boxes (section GUI). The KML export's
// boxes use the dialog title's key with a default of their own.
inline constexpr ExportMessage kCaptionSaveLogFile{"SaveLogFile", "Save to NMEA Log File"};
inline constexpr ExportMessage kCaptionSaveJpeg{"SaveJpeg", "Save images as Jpeg"};
inline constexpr ExportMessage kCaptionSaveAvi{"SaveAVI", "Save as AVI"};
inline constexpr ExportMessage kCaptionPrintImage{"PrintImage", "Print Images"};

// The text of a message (section Message) in the chosen language.
std::string MessageText(const ExportMessage& message);

// The text of a caption (section GUI) in the chosen language.
std::string CaptionText(const ExportMessage& caption);

class Prompt;

// A message box of the Message section with OK, titled caption.
void ShowExportMessage(Prompt& prompt, const ExportMessage& message, const ExportMessage& caption);
