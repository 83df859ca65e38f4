#pragma once
// What the check-files pass reads of a recording before it decides on it:
// whether its data file opens, how long it is and whether its first byte
// comes back, and its index's ends. Reading changes nothing on the card, so
// the reads of a folder's recordings can run on two threads while the
// pass's decisions (and its deletions) stay in order on one.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/OpenFolder.h"
#include "recording/VideoIndexEnds.h"

struct DataFileProbe {
  bool opened = false;
  int64_t size = -1;
  // Read only beyond the size of an empty file, which goes unread.
  bool firstByte = false;
};

// folder may be null: the file is then opened by its path.
DataFileProbe ProbeDataFile(const std::string& path, const OpenFolder* folder, int64_t largestEmpty);

struct RecordingProbe {
  DataFileProbe data;
  // Whether the index opened (its path is the caller's).
  bool indexRead = false;
  VideoIndexEnds index;
};

RecordingProbe ProbeRecording(const std::string& dataPath, const std::string& indexPath, const OpenFolder& folder,
                              int64_t largestEmpty);

// Reads every other recording of a folder (the odd positions) on a thread
// of its own, ahead of the pass; the pass reads the even ones itself and
// takes the odd ones from here in order.
class RecordingProbesAhead {
 public:
  // dataPaths and indexPaths (the same length) and folder outlive this.
  RecordingProbesAhead(const std::vector<std::string>& dataPaths, const std::vector<std::string>& indexPaths,
                       const OpenFolder& folder, int64_t largestEmpty);
  // Stops the reading where it is and waits for the thread.
  ~RecordingProbesAhead();
  RecordingProbesAhead(const RecordingProbesAhead&) = delete;
  RecordingProbesAhead& operator=(const RecordingProbesAhead&) = delete;

  static bool ReadsAhead(size_t position) { return position % 2 == 1; }
  // The probe of an odd position, waited for; each is taken once.
  RecordingProbe Take(size_t position);

 private:
  void ReadAll();

  const std::vector<std::string>& dataPaths_;
  const std::vector<std::string>& indexPaths_;
  const OpenFolder& folder_;
  const int64_t largestEmpty_;
  std::vector<RecordingProbe> probes_;
  std::mutex lock_;
  std::condition_variable ready_;
  size_t readUpTo_ = 0;  // every odd position below this has been read
  bool stop_ = false;
  std::thread thread_;
};
