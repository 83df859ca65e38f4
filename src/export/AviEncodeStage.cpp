#include "export/AviEncodeStage.h"

#include <system_error>
#include <utility>

namespace {

// One picture being encoded and one waiting: enough to keep both cores
// busy without holding many decoded pictures in memory.
constexpr size_t kMostWaiting = 1;

}  // namespace

AviEncodeStage::~AviEncodeStage() { Abandon(); }

void AviEncodeStage::Abandon() {
  {
    std::lock_guard guard(lock_);
    waiting_.clear();
    finishing_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool AviEncodeStage::Start() {
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void AviEncodeStage::SubmitCopy(int64_t position, std::vector<unsigned char> jpeg) {
  Submit(Sample{position, std::move(jpeg), {}, 0, 0, {}});
}

void AviEncodeStage::SubmitPixels(int64_t position, std::vector<unsigned char> source,
                                  std::vector<unsigned char> pixels, int width, int height) {
  Submit(Sample{position, std::move(source), std::move(pixels), width, height, {}});
}

void AviEncodeStage::SubmitYuv(int64_t position, std::vector<unsigned char> source, YuvPicture picture) {
  Submit(Sample{position, std::move(source), {}, picture.width, picture.height, std::move(picture)});
}

void AviEncodeStage::Submit(Sample sample) {
  std::unique_lock wait(lock_);
  changed_.wait(wait, [this] { return waiting_.size() < kMostWaiting || failed_; });
  // After a failed write nothing more goes into the file.
  if (failed_) return;
  waiting_.push_back(std::move(sample));
  changed_.notify_all();
}

bool AviEncodeStage::Finish() {
  {
    std::lock_guard guard(lock_);
    finishing_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
  return !failed_;
}

void AviEncodeStage::Run() {
  for (;;) {
    Sample sample;
    {
      std::unique_lock wait(lock_);
      changed_.wait(wait, [this] { return !waiting_.empty() || finishing_; });
      if (waiting_.empty()) return;
      sample = std::move(waiting_.front());
      waiting_.pop_front();
    }
    changed_.notify_all();
    if (Write(sample)) continue;
    std::lock_guard guard(lock_);
    failed_ = true;
    waiting_.clear();
    changed_.notify_all();
    return;
  }
}

bool AviEncodeStage::Write(Sample& sample) {
  if (sample.pixels.empty() && sample.planes.Empty()) {
    if (!writer_.WriteSample(sample.position, sample.source.data(), static_cast<int>(sample.source.size())))
      return false;
    ++written_;
    return true;
  }
  const int sourceSize = static_cast<int>(sample.source.size());
  const bool encoded = sample.planes.Empty() ? encoder_.EncodePixels(sample.source.data(), sourceSize,
                                                                     sample.pixels.data(), sample.width, sample.height)
                                             : encoder_.EncodeYuv(sample.source.data(), sourceSize, sample.planes);
  if (!encoded) {
    ++notEncoded_;
    return true;
  }
  if (!writer_.WriteSample(sample.position, encoder_.OutputBytes(), encoder_.OutputSize())) return false;
  ++written_;
  return true;
}
