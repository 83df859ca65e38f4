#pragma once
// What the version box shows: the recorder's firmware version from the card,
// the program's version and the product line, with their labels.

#include <filesystem>
#include <string>

struct VERSIONBOXTEXT {
  std::string title;            // "Korvane Information"
  std::string modelName;        // the product line of the settings
  std::string recorderVersion;  // from the card; empty without one
  std::string programVersion;
  std::string recorderLine;  // "Recoder Version : ..."
  std::string programLine;   // "Korvane Version : ..."
  std::string okLabel;
};

// [INFO] VERSION of "<root>/config/version.ini" (at most 259 characters);
// empty for an empty root or a missing file or key.
std::string ReadRecorderVersion(const std::filesystem::path& cardRoot);

// The version the program was built as, "0.1.0".
std::string ProgramVersion();

// The version box's texts for the card or backup folder chosen (empty when
// none) and the settings' model name.
VERSIONBOXTEXT MakeVersionBoxText(const std::filesystem::path& cardRoot, const std::string& modelName);
