#pragma once
// The AVI file of a video export: one Motion-JPEG video stream ("vids",
// FourCC MJPG) whose samples are complete JPEG pictures, each a key frame,
// at a time base of 100 / (fps x 100). A sample position that gets no
// picture stays an empty sample, so the film keeps the recording's timing
// across frames that were skipped. Files beyond 1 GiB become OpenDML files.
//
// The film is an OutputFile: written under a temporary name and renamed onto
// its target by Close, so a cancelled or failed export never leaves half a
// film under the target's name.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/OutputFile.h"

class AviWriter {
 public:
  AviWriter();
  // Discards the temporary file unless Close succeeded.
  ~AviWriter();
  AviWriter(const AviWriter&) = delete;
  AviWriter& operator=(const AviWriter&) = delete;

  // Creates the temporary file and writes the headers of a width x height
  // stream at fps frames per second. False (with Error()) on any failure,
  // a target the output rules refuse included; nothing is then left behind.
  bool Open(const std::string& target, Overwrite overwrite, const OutputGuard& guard, int width, int height, int fps);

  // A set cancel word ends a run of empty samples with a failure; null
  // (the default) watches nothing.
  void WatchCancel(const std::atomic<bool>* cancel) { cancel_ = cancel; }

  // Writes one JPEG picture as the sample at position, after empty samples
  // for the positions since the last one. Positions must grow.
  bool WriteSample(int64_t position, const unsigned char* jpeg, int count);

  // Fills empty samples up to sampleCount, writes the index and renames the
  // file onto the target. False when anything failed since Open; the
  // temporary file is then gone.
  bool Close(int64_t sampleCount);
  // Stops writing and deletes the temporary file.
  void Discard();

  bool IsOpen() const;
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The samples written so far, empty ones included.
  int64_t SampleCount() const { return nextPosition_; }
  // "<target>: <reason>" of the first failure; empty when none.
  const std::string& Error() const { return error_; }

 private:
  struct Muxer;

  bool WritePacket(int64_t position, const unsigned char* bytes, int count);
  bool FillTo(int64_t position);
  void Fail(const std::string& reason);

  std::unique_ptr<Muxer> muxer_;
  OutputFile file_;
  std::string target_;
  std::string error_;
  int width_ = 0;
  int height_ = 0;
  int64_t nextPosition_ = 0;
  const std::atomic<bool>* cancel_ = nullptr;
};
