#pragma once
// What the version box shows: the recorder's firmware version from the card,
// the program's version and the product line, with their labels.

#include <filesystem>
#include <string>
#include <string_view>

struct VersionBoxText {
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

// A dotted version of one to four whole numbers as a file version,
// "major.minor.build.revision" with the missing parts 0 ("0.1.0" gives
// "0.1.0.0"); "1.0" when it is no such version.
std::string FileVersionText(std::string_view dotted);

// The version the program was built as, in the file-version form.
std::string ProgramVersion();

// The version box's texts for the card or backup folder chosen (empty when
// none) and the settings' model name.
VersionBoxText MakeVersionBoxText(const std::filesystem::path& cardRoot, const std::string& modelName);
