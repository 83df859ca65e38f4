#pragma once
// The MP4 file of a film export: one H.264 stream (libx264, yuv420p in
// video range, the decoded planes mapped into it on their one way in)
// whose pictures keep their recorded times, in milliseconds from the first
// (time base 1/1000, a variable frame rate), and a mov_text subtitle
// stream. The index is moved to the front when the film is closed, so a
// player can start before it has the whole file.
//
// The film is an OutputFile: written under a temporary name and renamed onto
// its target by Close, so a cancelled or failed export never leaves half a
// film under the target's name.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/OutputFile.h"
#include "recording/YuvPicture.h"

struct Mp4Setup {
  int width = 0;
  int height = 0;
  int crf = 23;
  // The recorder's frame rate, as a hint to the rate control; the times
  // are what the pictures carry.
  int fpsHint = 30;
  // "2024-06-14T07:30:00.000000Z", the first picture's time in UTC.
  std::string creationTime;
  // ISO 6709, "+37.5665+126.9780/"; none without a fix.
  std::optional<std::string> location;
};

class Mp4Writer {
 public:
  Mp4Writer();
  // Discards the temporary file unless Close succeeded.
  ~Mp4Writer();
  Mp4Writer(const Mp4Writer&) = delete;
  Mp4Writer& operator=(const Mp4Writer&) = delete;

  // Creates the temporary file, the encoder and the headers. False (with
  // Error()) on any failure; nothing is then left behind.
  bool Open(const std::string& target, Overwrite overwrite, const OutputGuard& guard, const Mp4Setup& setup);

  // A picture shown from ptsMs on, until the next one's time. Times must
  // grow; the planes are copied.
  bool WritePicture(int64_t ptsMs, const YuvPicture& picture);
  // A subtitle cue shown from startMs for durationMs.
  bool WriteCue(int64_t startMs, int64_t durationMs, const std::string& text);

  // Encodes what is still waiting (the last picture shown for
  // lastDurationMs), moves the index to the front and renames the file
  // onto the target. False when anything failed since Open; the temporary
  // file is then gone.
  bool Close(int64_t lastDurationMs);
  // Stops writing and deletes the temporary file.
  void Discard();

  int64_t Pictures() const { return pictures_; }
  int64_t Cues() const { return cues_; }
  // "<target>: <reason>" of the first failure; empty when none.
  const std::string& Error() const { return error_; }

 private:
  struct Muxer;

  // Puts the picture into the encoder's frame, in video range.
  bool Hold(const YuvPicture& picture);
  // Sends the held frame (or, without picture, the end) to the encoder.
  bool Encode(int64_t ptsMs, int64_t durationMs, bool withPicture);
  bool Drain();
  void Fail(const std::string& reason);
  void FailWith(int status);

  std::unique_ptr<Muxer> muxer_;
  OutputFile file_;
  std::string target_;
  std::string error_;
  Mp4Setup setup_;
  // The time of the picture waiting in the encoder's frame for its
  // successor, which tells how long it shows.
  int64_t pendingPts_ = -1;
  // Each encoded picture's duration by its time, until its packet is out.
  std::map<int64_t, int64_t> durations_;
  int64_t pictures_ = 0;
  int64_t cues_ = 0;
};
