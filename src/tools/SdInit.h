#pragma once
// The initialisation of a recorder's card: pick the card's folder, check
// it, keep a copy of its configuration, format it, lay out the recorder's
// folders, put the configuration back or write defaults, and copy the
// installer onto it. The window and the command-line tool run the same
// procedure through the ports below; only the format step and the way the
// settings are written afterwards differ between them.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "tools/FormatTarget.h"

class Prompt;
class Volumes;

// The folder the user picked, as the procedure checks it.
struct CardDrive {
  bool isCard = false;  // the mount point of a removable card that may be formatted
  std::optional<uint64_t> sizeBytes;
  FormatTarget target;  // what the format runs on
};

struct FormatStepResult {
  bool formatted = false;  // the format dialog ended with OK
  bool restore = false;    // "Backup configuration file" was ticked
  // Where the formatted card is mounted now; empty when it is not.
  std::filesystem::path cardRoot;
};

class SdInitPorts {
 public:
  virtual ~SdInitPorts() = default;
  virtual CardDrive InspectDrive(const std::filesystem::path& folder) = 0;
  // Runs the format dialog (or its headless counterpart) for the card.
  virtual FormatStepResult RunFormatStep(const CardDrive& drive, const std::filesystem::path& folder,
                                         bool restoreAllowed) = 0;
  // The recording store lets go of the card before the format...
  virtual void ReleaseCard() = 0;
  // ...and takes the new card root afterwards.
  virtual void TellCardRoot(const std::filesystem::path& root) = 0;
};

// How the settings are written once the card is formatted.
class SettingsAfterFormat {
 public:
  virtual ~SettingsAfterFormat() = default;
  // The card's settings without the saved ones: a fresh set.ini.
  virtual void WriteFresh(const std::filesystem::path& cardRoot, int modelId) = 0;
  // The VERSIONID a restore writes; 0 writes none.
  virtual int RestoredVersionId(int modelId) const = 0;
  virtual bool WritesModelId() const = 0;
};

// The Tool menu's way: the family's defaults; a restore marks the card as
// version 1 and names the model.
class DefaultSettingsAfterFormat final : public SettingsAfterFormat {
 public:
  void WriteFresh(const std::filesystem::path& cardRoot, int modelId) override;
  int RestoredVersionId(int modelId) const override;
  bool WritesModelId() const override { return true; }
};

// The folder picked, as the system sees it: it must be the mount point of a
// removable card (a subfolder of one is no drive), or of an image file
// standing in for a card. The size is the mounted file system's, or the
// image file's length.
class SystemCardDrives {
 public:
  SystemCardDrives(const Volumes& volumes, const FormatTargets& targets);
  // Only image files count as cards: for mount tables that are not the
  // system's own, so that a made-up table cannot lead to a real disk.
  void AcceptImagesOnly() { imagesOnly_ = true; }
  CardDrive Inspect(const std::filesystem::path& folder) const;

 private:
  const Volumes& volumes_;
  const FormatTargets& targets_;
  bool imagesOnly_ = false;
};

struct SdInitSetup {
  int modelId = 0;
  std::filesystem::path startFolder;  // where the folder picker opens
  std::filesystem::path documents;    // where the configuration is kept meanwhile
  std::filesystem::path installer;    // the installer file copied onto the card
};

enum class SdInitEnd {
  kDone,
  kNoFolder,      // the picker was cancelled
  kNotCard,       // "Not SD Card Drive"
  kTooSmall,      // "SD Card of not supported size."
  kDeclined,      // the question was answered Cancel
  kNotFormatted,  // the format dialog ended without OK
  kNotMounted,    // formatted, but the card is not mounted again
};

// The names of the card's files and folders the procedure makes.
inline constexpr std::string_view kInstallerFolder = "zaza";
inline constexpr std::string_view kInstallerName = "setup.exe";
inline constexpr std::string_view kSdIdFileName = "sdid.ini";
inline constexpr std::string_view kSetIniFileName = "set.ini";

SdInitEnd InitSdCard(const SdInitSetup& setup, Prompt& prompt, SdInitPorts& ports, SettingsAfterFormat& settings);
