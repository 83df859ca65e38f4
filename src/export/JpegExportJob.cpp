#include "export/JpegExportJob.h"

#include <cerrno>
#include <string>
#include <vector>

#include "export/ExifBlock.h"
#include "export/TargetFolderCheck.h"
#include "recording/ExportGuard.h"
#include "recording/InfoEventFile.h"

namespace {

bool FailsEveryFile(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EIO:
    case EROFS:
    case ENOENT:
    case ENOTDIR:
    case EACCES:
    case EPERM:
      return true;
    default:
      return false;
  }
}

}  // namespace

std::optional<LangText> CheckJpegFolder(const std::string& folder) { return CheckTargetFolder(folder); }

bool JpegExportJob::Start(CInfoEventFile* recording, const JpegSelection& selection, std::vector<int> currentFrames,
                          Prompt& prompt, std::function<void(JpegResult)> onEnd) {
  if (worker_.Running()) return false;
  recording_ = recording;
  marked_.clear();
  if (recording_ && recording_->FrameCount() > 0) marked_ = MarkJpegFrames(*recording_, selection, currentFrames);
  folder_ = selection.folder;
  geotag_ = selection.geotag;
  guard_ = ExportGuard({recording_ ? recording_->RecordingPath() : std::string()}, folder_);
  overwrite_ = Overwrite::kKeep;
  prompt_ = &prompt;
  written_.clear();
  skipped_ = 0;
  notOverwritten_.clear();
  error_.clear();
  return worker_.Start<JpegResult>([this] { return Export(); }, std::move(onEnd));
}

JpegResult JpegExportJob::Export() {
  if (!recording_ || recording_->FrameCount() < 1) return JpegResult::kError;
  ExportProgress& progress = worker_.Progress();
  progress.high = static_cast<int>(marked_.size());
  std::vector<unsigned char> picture(FRAMEDATA_MAXSIZE);
  bool asked = false;
  for (size_t m = 0; m < marked_.size(); ++m) {
    if (worker_.CancelRequested()) return JpegResult::kStopped;
    progress.pos = static_cast<int>(m);
    const int frame = marked_[m];
    int count = recording_->ReadFrameData(frame, picture.data());
    if (count <= 0) {
      ++skipped_;
      continue;
    }
    const std::string path = JpegFileName(folder_, recording_->Frame(frame).time, frame);
    if (!asked && OutputExists(path)) {
      asked = true;
      const bool overwrite = worker_.AskOnUi([prompt = prompt_] {
        return prompt->Show(MessageText(kMsgSameFileOverwrite), GuiText(kCaptionSaveJpeg), PromptButtons::YesNo) ==
               PromptAnswer::Yes;
      });
      if (worker_.CancelRequested()) return JpegResult::kStopped;
      if (!overwrite) {
        notOverwritten_ = path;
        return JpegResult::kStopped;
      }
      overwrite_ = Overwrite::kReplace;
    }
    if (!codec_.DoubleAndReencode(picture.data(), count, static_cast<int>(picture.size()))) {
      ++skipped_;
      continue;
    }
    const FRAMEINFOVIDEO& info = recording_->Frame(frame);
    const std::vector<unsigned char> exif =
        geotag_ ? MakeExifSegment(info.time, info.gps) : std::vector<unsigned char>();
    const FileOutcome outcome = WriteFrame(path, {picture.data(), static_cast<size_t>(count)}, exif);
    if (outcome == FileOutcome::kFailed) return JpegResult::kError;
    if (outcome == FileOutcome::kSkipped) ++skipped_;
  }
  progress.pos = static_cast<int>(marked_.size());
  // Frames were chosen and none reached the folder: nothing was saved.
  if (!marked_.empty() && written_.empty()) {
    error_ = folder_ + ": none of the " + std::to_string(marked_.size()) + " chosen frames could be written";
    return JpegResult::kError;
  }
  return JpegResult::kDone;
}

// A file that cannot be created (a folder of that name, a name the file
// system will not take) is skipped as the recorder's own software skipped
// it. Failures that every further frame would meet as well (a full disk, a
// file size limit, a folder gone or closed to us) end the export: skipping
// them all would report an empty folder as a success.
JpegExportJob::FileOutcome JpegExportJob::WriteFrame(const std::string& path, std::span<const unsigned char> picture,
                                                     std::span<const unsigned char> exif) {
  // The EXIF block goes between the picture's bytes; not one of them changes.
  const size_t place = exif.empty() ? 0 : ExifSegmentPlace(picture).value_or(0);
  OutputFile file;
  if (file.Open(path, overwrite_, guard_)) {
    file.Write(picture.data(), place);
    if (place > 0) file.Write(exif.data(), exif.size());
    file.Write(picture.data() + place, picture.size() - place);
    if (file.Commit()) {
      written_.push_back(path);
      return FileOutcome::kWritten;
    }
  }
  if (!FailsEveryFile(file.ErrorNumber())) return FileOutcome::kSkipped;
  error_ = file.Error();
  return FileOutcome::kFailed;
}
