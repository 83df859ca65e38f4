#pragma once
// The cores of the AVI export: while the worker reads frames and lays out
// their captions, each of the stage's threads decodes, captions and encodes
// a frame of its own. Samples are written strictly in the order they are
// handed over, each at its position, so the film's order never depends on
// which thread was faster.
//
// A thread that finishes a picture ahead of its turn parks it and takes the
// next frame; the thread that finishes the picture whose turn it is writes
// it and every parked one after it. Only one thread at a time touches the
// writer between Start and Finish.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

#include "export/AviWriter.h"
#include "export/CaptionStamp.h"

class AviEncodeStage {
 public:
  // width x height is the film's picture size; doubling, whether its
  // pictures are half-height ones doubled to reach it.
  AviEncodeStage(AviWriter& writer, int width, int height, bool doubling)
      : writer_(writer), width_(width), height_(height), doubling_(doubling) {}
  // Stops the threads without writing what is still waiting.
  ~AviEncodeStage();
  AviEncodeStage(const AviEncodeStage&) = delete;
  AviEncodeStage& operator=(const AviEncodeStage&) = delete;

  // One thread for each core and one more. False when not even one could
  // be started.
  bool Start();

  // A recorded picture written as it is.
  void SubmitCopy(int64_t position, std::vector<unsigned char> jpeg);
  // The recorded JPEG `source` made into the film's picture with the
  // stamps on it (AviPictureMaker); a frame that cannot be made leaves its
  // position an empty sample.
  void SubmitPicture(int64_t position, std::vector<unsigned char> source, std::vector<CaptionStamp> stamps);

  // Stops the threads without writing what is still waiting (a cancel).
  void Abandon();

  // Waits until everything handed over is written and stops the threads.
  // False when a sample could not be written.
  bool Finish();

  // Pictures written; one that could not be made leaves its position an
  // empty sample and is not counted.
  int Written() const { return written_; }

 private:
  struct Sample {
    int64_t position = 0;
    // The recorded JPEG; once made, the film's picture (empty when it
    // could not be made).
    std::vector<unsigned char> bytes;
    bool copy = false;
    std::vector<CaptionStamp> stamps;
    uint64_t turn = 0;  // its place in the order of writing
  };

  void Submit(Sample sample);
  void Run();
  // The next sample to work on; false when the thread is to end.
  bool Take(Sample& sample);
  // Parks the made sample and, unless another thread is writing, writes
  // every parked sample whose turn has come.
  void Deliver(Sample sample);
  void WriteInTurn(std::unique_lock<std::mutex>& held);
  void Stop();
  void JoinAll();

  AviWriter& writer_;
  const int width_;
  const int height_;
  const bool doubling_;
  std::vector<std::thread> threads_;
  std::mutex lock_;
  // Frames to take (or the end) for the stage's threads; room for more
  // for the worker.
  std::condition_variable workReady_;
  std::condition_variable roomFree_;
  std::deque<Sample> waiting_;
  std::map<uint64_t, Sample> parked_;
  size_t mostInFlight_ = 0;
  uint64_t submitted_ = 0;
  uint64_t nextTurn_ = 0;
  bool writing_ = false;
  bool finishing_ = false;
  bool stopped_ = false;  // abandoned, or a write failed
  bool failed_ = false;
  int written_ = 0;
};
