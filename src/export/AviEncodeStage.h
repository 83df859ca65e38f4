#pragma once
// The second core of the AVI export: while the worker reads, decodes and
// captions frame n + 1, this stage's thread encodes frame n and writes it.
// Samples are written in the order they are handed over, each at its
// position, so the film's order never depends on which core was faster.
//
// Only the stage's thread touches the writer between Start and Finish.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "export/AviWriter.h"
#include "recording/StreamImage.h"
#include "recording/YuvPicture.h"

class AviEncodeStage {
 public:
  explicit AviEncodeStage(AviWriter& writer) : writer_(writer) {}
  // Stops the thread without writing what is still waiting.
  ~AviEncodeStage();
  AviEncodeStage(const AviEncodeStage&) = delete;
  AviEncodeStage& operator=(const AviEncodeStage&) = delete;

  // False when no thread could be started.
  bool Start();

  // A recorded picture written as it is.
  void SubmitCopy(int64_t position, std::vector<unsigned char> jpeg);
  // Pixels (BGR, width x height) encoded at the codec's quality, carrying
  // the metadata segments of the recorded picture `source`.
  void SubmitPixels(int64_t position, std::vector<unsigned char> source, std::vector<unsigned char> pixels, int width,
                    int height);

  // A decoded picture's 4:2:0 planes, encoded as SubmitPixels encodes
  // pixels.
  void SubmitYuv(int64_t position, std::vector<unsigned char> source, YuvPicture picture);

  // Stops the thread without writing what is still waiting (a cancel).
  void Abandon();

  // Waits until everything handed over is written and stops the thread.
  // False when a sample could not be written.
  bool Finish();

  // Pictures written, and pictures the encoder could not make (their
  // positions stay empty samples).
  int Written() const { return written_; }
  int NotEncoded() const { return notEncoded_; }

 private:
  struct Sample {
    int64_t position = 0;
    std::vector<unsigned char> source;  // the recorded JPEG
    std::vector<unsigned char> pixels;  // empty for a copy or planes
    int width = 0;
    int height = 0;
    YuvPicture planes;  // empty for a copy or pixels
  };

  void Submit(Sample sample);
  void Run();
  bool Write(Sample& sample);

  AviWriter& writer_;
  CStreamImage encoder_;
  std::thread thread_;
  std::mutex lock_;
  std::condition_variable changed_;
  std::deque<Sample> waiting_;
  bool finishing_ = false;
  bool failed_ = false;
  int written_ = 0;
  int notEncoded_ = 0;
};
