#include "recording/MgrDBSearch.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/AppTitle.h"
#include "base/MgrMultiLang.h"
#include "platform/ProfileFile.h"
#include "platform/Trace.h"
#include "recording/CardFolders.h"
#include "recording/CardLayout.h"
#include "recording/CardListing.h"
#include "recording/EventCodes.h"
#include "recording/RemovedFilesText.h"

namespace {

// The caption of the store's message boxes.

constexpr const char* kSettingsSection = "SET";
constexpr const char* kPulseTypeKey = "CARPULSETYPE";

// km/h = pulses x 60 x k x 60 / 637, with k = 1 / divisor for the pulse
// types 0..5. Whole numbers keep the truncation exact.
constexpr int64_t kPulseDivisors[] = {2, 4, 8, 16, 20, 25};
constexpr int64_t kSecondsPerHour = 60 * 60;
constexpr int64_t kPulseScale = 637;

void StartAndWait(CheckFilesPass& pass, UiQueue& ui) {
  pass.Start(ui, {});
  pass.Join();
}

}  // namespace

CMgrDBSearch::CMgrDBSearch(Prompt& prompt, UiQueue& ui, AppState& app, const Volumes& volumes)
    : frameBuffer_(std::make_unique<uint8_t[]>(FRAMEDATA_MAXSIZE)),
      prompt_(prompt),
      ui_(ui),
      app_(app),
      volumes_(volumes) {}

CMgrDBSearch::~CMgrDBSearch() = default;

void CMgrDBSearch::SetViewSink(StoreViewSink* view) { view_ = view != nullptr ? view : &defaultView_; }

// ---- choosing and scanning a card ------------------------------------------

void CMgrDBSearch::SelectAndScan() {
  if (AskForRoot()) Scan();
}

bool CMgrDBSearch::SelectFolder() { return AskForRoot(); }

bool CMgrDBSearch::AskForRoot() {
  const std::string title = GetLangText("GUI", "SelectSDFolder", "Select SD Card Drive or Backup folder");
  const std::optional<std::string> picked = prompt_.PickFolder(title, root_);
  if (!picked || picked->empty()) return false;
  return ChooseRoot(*picked);
}

bool CMgrDBSearch::ChooseRoot(const std::string& path) {
  SetRoot(path);
  if (ValidateFolder(root_)) return true;
  Reset();
  SetRoot({});
  prompt_.Show(InvalidCardFolderMessage(), std::string(kApplicationTitle), PromptButtons::Ok);
  return false;
}

bool CMgrDBSearch::ValidateFolder(const std::string& root) {
  if (!HasCardLayout(root)) return false;
  if (!HasRecordedFiles(root)) {
    prompt_.Show(GetLangText("Message", "NoRecordFile", "No recorded file."), std::string(kApplicationTitle),
                 PromptButtons::Ok);
  }
  return true;
}

bool CMgrDBSearch::HasRecordedFiles(const std::string& root) {
  return HasCardFiles(EventFolderPath(root), kDataFileExtension) ||
         HasCardFiles(NormalFolderPath(root), kDataFileExtension) ||
         HasCardFiles(LogFolderPath(root), kLogFileExtension);
}

int CMgrDBSearch::ReadPulseType(const std::string& root) {
  const int type = ReadProfileInt(SettingsFilePath(root), kSettingsSection, kPulseTypeKey, kUnknownPulseType);
  return type < kUnknownPulseType || type > kLargestPulseType ? kUnknownPulseType : type;
}

void CMgrDBSearch::SetPulseType(int type) {
  pulseType_ = type < kUnknownPulseType || type > kLargestPulseType ? kUnknownPulseType : type;
}

void CMgrDBSearch::Scan() {
  Reset();
  // A rescan that arrives after the root was given up has nothing to walk;
  // an empty root would name folders relative to the working folder.
  if (root_.empty()) return;
  view_->SetWaitCursor(true);
  lastScan_ = {};
  // The folders are read once: the counts, the unreadable folders and the
  // pass's lists all come from this reading.
  CardListing listing = ListCard(root_);
  lastScan_.counts = {static_cast<int>(listing.event.files.size()), static_cast<int>(listing.normal.files.size()),
                      static_cast<int>(listing.log.files.size())};
  lastScan_.unreadable = listing.unreadable;

  CheckFilesPass pass(root_, std::move(listing));
  if (checkFiles_)
    checkFiles_(pass);
  else
    StartAndWait(pass, ui_);
  // Whatever the dialog did, the lists are read only once the worker ended.
  pass.Join();
  if (!pass.IsDone()) StartAndWait(pass, ui_);
  app_.hasLogs = pass.HasLogs();
  lastScan_.crashed = pass.Crashed() != 0;
  lastScan_.deleted = pass.Deleted();
  catalogue_ = pass.TakeCatalogue();
  view_->RefreshFileLists();

  pulseType_ = ReadPulseType(root_);
  view_->ShowFileList(ListToShow());
  view_->SetWaitCursor(false);
  if (!lastScan_.deleted.empty()) view_->ShowNotice(RemovedFilesText(root_, lastScan_.deleted));
  if (lastScan_.crashed) OfferDiskCheck();
}

FileListKind CMgrDBSearch::ListToShow() const {
  if (!catalogue_.event.empty()) return FileListKind::kEvent;
  if (!catalogue_.normal.empty()) return FileListKind::kNormal;
  return FileListKind::kLog;
}

void CMgrDBSearch::OfferDiskCheck() {
  // Offering a check that nothing here can run would ask a question whose
  // answer changes nothing.
  if (!diskCheck_ || !volumes_.IsRemovableDrive(root_)) return;
  const std::string question =
      GetLangText("Message", "RunCheckDisk", "Crashed files are detected in sd card. do you want to run checkdisk ?");
  if (prompt_.Show(question, std::string(kApplicationTitle), PromptButtons::OkCancel) == PromptAnswer::Cancel) return;
  if (diskCheck_ && diskCheck_(root_)) PostRescan();
}

void CMgrDBSearch::PostRescan() {
  ui_.Post([this, alive = std::weak_ptr<bool>(alive_)] {
    if (alive.lock()) Scan();
  });
}

void CMgrDBSearch::ForgetRoot() {
  Reset();
  SetRoot({});
}

void CMgrDBSearch::SetRoot(std::string root) {
  root_ = std::move(root);
  view_->ShowRoot(root_);
}

void CMgrDBSearch::Reset() {
  view_->StopPlayback();
  view_->ClearFileLists();
  view_->ResetPicture();
  view_->ResetDisplays();
  view_->ResetGraph();
  catalogue_ = {};
  videos_.clear();
  logs_.clear();
  currentIndex_ = -1;
  frameBytes_ = 0;
  shown_ = {};
}

// ---- per-file questions ------------------------------------------------------

uint8_t CMgrDBSearch::ReadEventCode(const std::string& dataPath) const { return ReadVideoEventCode(dataPath); }

uint8_t CMgrDBSearch::ReadExtendedEventCode(const std::string& dataPath) const {
  return ReadVideoExtendedEventCode(dataPath);
}

std::string CMgrDBSearch::GetEventName(const std::string& dataPath) const { return ReadVideoEventName(dataPath); }

VideoIds CMgrDBSearch::ReadVideoIds(const std::string& dataPath) const { return ::ReadVideoIds(dataPath); }

LogIds CMgrDBSearch::ReadLogIds(const std::string& logPath) const { return ::ReadLogIds(logPath); }

int64_t CMgrDBSearch::ReadLogStartTime(const std::string& logPath) const { return ::ReadLogStartTime(logPath); }

int64_t CMgrDBSearch::ReadLogEndTime(const std::string& logPath) const { return ::ReadLogEndTime(logPath); }

std::string CMgrDBSearch::GetLogDurationText(const std::string& logPath) const { return ::GetLogDurationText(logPath); }

// ---- the loaded recordings -----------------------------------------------------

int CMgrDBSearch::PulseToKmhFor(int pulseType, int pulses) {
  if (pulses < 0 || pulseType < 0 || pulseType > kLargestPulseType) return 0;
  const int64_t divisor = kPulseDivisors[pulseType];
  return static_cast<int>(pulses * kSecondsPerHour / (kPulseScale * divisor));
}

const CInfoEventFile* CMgrDBSearch::Video(int recordingIndex) const {
  if (recordingIndex < 0 || recordingIndex >= static_cast<int>(videos_.size())) return nullptr;
  return videos_[static_cast<size_t>(recordingIndex)].get();
}

bool CMgrDBSearch::HasGpsFix(int recordingIndex) const {
  auto hasFix = [](const CInfoEventFile* video) {
    if (video == nullptr) return false;
    for (const FRAMEINFOVIDEO& frame : video->Frames()) {
      if (frame.gps.valid != 0) return true;
    }
    return false;
  };
  if (const CInfoEventFile* video = Video(recordingIndex)) return hasFix(video);
  for (const auto& video : videos_) {
    if (hasFix(video.get())) return true;
  }
  return false;
}

bool CMgrDBSearch::IsCurrentFrameWithoutFix(int recordingIndex) const {
  const CInfoEventFile* video = Video(recordingIndex);
  if (video == nullptr) return false;
  return video->Frame(video->CurrentFrameIndex()).gps.valid == 0;
}

int CMgrDBSearch::FindNearestFixFrame(int recordingIndex) const {
  const CInfoEventFile* video = Video(recordingIndex);
  if (video == nullptr || video->FrameCount() == 0) return 0;
  const int count = video->FrameCount();
  const int current = std::clamp(video->CurrentFrameIndex(), 0, count - 1);
  for (int i = current; i >= 0; --i) {
    if (video->Frame(i).gps.valid != 0) return i;
  }
  for (int i = current; i < count; ++i) {
    if (video->Frame(i).gps.valid != 0) return i;
  }
  return 0;
}

int CMgrDBSearch::ReadFrame(int recordingIndex, int frameIndex) {
  frameBytes_ = 0;
  if (recordingIndex < 0 || recordingIndex >= static_cast<int>(videos_.size())) return 0;
  frameBytes_ = videos_[static_cast<size_t>(recordingIndex)]->ReadFrameData(frameIndex, frameBuffer_.get());
  return frameBytes_;
}

CMgrDBSearch::FrameDecode CMgrDBSearch::DecodeFrame(int recordingIndex, int frameIndex) {
  FrameDecode result;
  result.bytes = std::max(ReadFrame(recordingIndex, frameIndex), 0);
  result.decoded = result.bytes > 0 && streamImage_.DecodeToPixels(frameBuffer_.get(), result.bytes);
  shown_.recording = recordingIndex;
  shown_.frame = frameIndex;
  shown_.comment.clear();
  if (result.decoded && streamImage_.ComSegment() != nullptr && streamImage_.ComSize() > 0)
    shown_.comment.assign(streamImage_.ComSegment(), streamImage_.ComSegment() + streamImage_.ComSize());
  return result;
}
