#include "export/AviEncodeStage.h"

#include <system_error>
#include <utility>

#include "export/AviPictureMaker.h"

namespace {

// Without a count of cores the stage still runs, on one thread.
constexpr unsigned kThreadsWithoutCount = 1;
// The stage shares the cores with the worker, the writes and whatever else
// the machine runs: one thread more than cores keeps each core at work
// while one of them waits to be scheduled or in a write.
constexpr unsigned kThreadsBeyondCores = 1;
// A frame in work and one waiting or parked for each thread: every core
// stays busy without holding many decoded pictures in memory.
constexpr size_t kInFlightPerThread = 2;

unsigned ThreadCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? kThreadsWithoutCount : cores + kThreadsBeyondCores;
}

}  // namespace

AviEncodeStage::~AviEncodeStage() { Abandon(); }

bool AviEncodeStage::Start() {
  std::lock_guard guard(lock_);
  const unsigned count = ThreadCount();
  for (unsigned i = 0; i < count; ++i) {
    try {
      threads_.emplace_back([this] { Run(); });
    } catch (const std::system_error&) {
      break;
    }
  }
  mostInFlight_ = kInFlightPerThread * threads_.size();
  return !threads_.empty();
}

void AviEncodeStage::SubmitCopy(int64_t position, std::vector<unsigned char> jpeg) {
  Submit(Sample{position, std::move(jpeg), true, {}, 0});
}

void AviEncodeStage::SubmitPicture(int64_t position, std::vector<unsigned char> source,
                                   std::vector<CaptionStamp> stamps) {
  Submit(Sample{position, std::move(source), false, std::move(stamps), 0});
}

void AviEncodeStage::Submit(Sample sample) {
  std::unique_lock wait(lock_);
  roomFree_.wait(wait, [this] { return submitted_ - nextTurn_ < mostInFlight_ || stopped_; });
  // After a failed write nothing more goes into the file.
  if (stopped_) return;
  sample.turn = submitted_++;
  waiting_.push_back(std::move(sample));
  workReady_.notify_one();
}

void AviEncodeStage::Abandon() {
  {
    std::lock_guard guard(lock_);
    Stop();
  }
  JoinAll();
}

bool AviEncodeStage::Finish() {
  {
    std::lock_guard guard(lock_);
    finishing_ = true;
  }
  workReady_.notify_all();
  JoinAll();
  return !failed_;
}

void AviEncodeStage::Stop() {
  stopped_ = true;
  waiting_.clear();
  parked_.clear();
  workReady_.notify_all();
  roomFree_.notify_all();
}

void AviEncodeStage::JoinAll() {
  for (std::thread& thread : threads_) {
    if (thread.joinable()) thread.join();
  }
}

void AviEncodeStage::Run() {
  AviPictureMaker maker(width_, height_, doubling_);
  Sample sample;
  while (Take(sample)) {
    if (!sample.copy) {
      // The recorded bytes' allocation takes the picture's.
      if (maker.Make(sample.bytes, sample.stamps)) {
        sample.bytes.assign(maker.Bytes(), maker.Bytes() + maker.Size());
      } else {
        sample.bytes.clear();
      }
    }
    Deliver(std::move(sample));
  }
}

bool AviEncodeStage::Take(Sample& sample) {
  std::unique_lock wait(lock_);
  workReady_.wait(wait, [this] { return !waiting_.empty() || finishing_ || stopped_; });
  if (stopped_ || waiting_.empty()) return false;
  sample = std::move(waiting_.front());
  waiting_.pop_front();
  return true;
}

void AviEncodeStage::Deliver(Sample sample) {
  std::unique_lock held(lock_);
  if (stopped_) return;
  const uint64_t turn = sample.turn;
  parked_.emplace(turn, std::move(sample));
  if (writing_) return;
  writing_ = true;
  WriteInTurn(held);
  writing_ = false;
}

// Writes outside the lock: holding writing_ gives this thread the writer
// alone.
void AviEncodeStage::WriteInTurn(std::unique_lock<std::mutex>& held) {
  for (auto next = parked_.find(nextTurn_); next != parked_.end() && !stopped_; next = parked_.find(nextTurn_)) {
    Sample sample = std::move(next->second);
    parked_.erase(next);
    const bool made = !sample.bytes.empty();
    held.unlock();
    const bool writtenWell =
        !made || writer_.WriteSample(sample.position, sample.bytes.data(), static_cast<int>(sample.bytes.size()));
    held.lock();
    ++nextTurn_;
    if (!writtenWell) {
      failed_ = true;
      Stop();
    } else if (made) {
      ++written_;
    }
    roomFree_.notify_one();
  }
}
