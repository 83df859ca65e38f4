#pragma once
// The JPEG export of one video recording: one file per marked frame, named
// after the frame's recorded time, half-height pictures doubled to full
// height with their metadata segments kept, every other picture written
// byte for byte as recorded; a geotagged export adds only an EXIF block
// after the picture's APP0. The save dialog and korvane-cli drive it.
//
// The recording must stay loaded until the end has been delivered.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "export/ExportMessages.h"
#include "export/ExportWorker.h"
#include "export/JpegSelection.h"
#include "platform/OutputFile.h"
#include "platform/Prompt.h"
#include "recording/StreamImage.h"

class CInfoEventFile;

// How the JPEG export ended.
enum class JpegResult {
  kError = 0,
  kDone = 1,
  kStopped = 2,  // the user said No to overwriting, or cancelled
};

// The checks of OK before the export, in their order (folder exists, folder
// accepts a file); nothing when they pass.
std::optional<LangText> CheckJpegFolder(const std::string& folder);

class JpegExportJob {
 public:
  explicit JpegExportJob(UiQueue& ui) : worker_(ui) {}

  // Starts the export of the marked frames on the worker. The overwrite
  // question goes to prompt on the user-interface thread, once per export.
  // False while an export runs or when no worker could be started. The end
  // callback gets JpegResult::kDone, JpegResult::kError or JpegResult::kStopped.
  bool Start(CInfoEventFile* recording, const JpegSelection& selection, std::vector<int> currentFrames, Prompt& prompt,
             std::function<void(JpegResult result)> onEnd);

  // Stops before the next frame.
  void Cancel() { worker_.Cancel(); }
  bool Running() const { return worker_.Running(); }
  // Range 0..marked frames, position: frames handled.
  const ExportProgress& Progress() const { return worker_.Progress(); }

  // After the end: the files written in order, the frames skipped (no
  // picture, a picture that could not be doubled, a file that could not be
  // created), the file the user would not overwrite, and why the export
  // ended in an error.
  const std::vector<std::string>& Written() const { return written_; }
  int Skipped() const { return skipped_; }
  const std::string& NotOverwritten() const { return notOverwritten_; }
  const std::string& Error() const { return error_; }

 private:
  JpegResult Export();
  enum class FileOutcome { kWritten, kSkipped, kFailed };
  FileOutcome WriteFrame(const std::string& path, std::span<const unsigned char> picture,
                         std::span<const unsigned char> exif);

  ExportWorker worker_;
  CInfoEventFile* recording_ = nullptr;
  std::vector<int> marked_;
  std::string folder_;
  bool geotag_ = false;
  OutputGuard guard_;
  // Yes to the overwrite question replaces every file after it.
  Overwrite overwrite_ = Overwrite::kKeep;
  Prompt* prompt_ = nullptr;
  // A codec of its own: the window's codec belongs to the picture pane.
  CStreamImage codec_;
  std::vector<std::string> written_;
  int skipped_ = 0;
  std::string notOverwritten_;
  std::string error_;
};
