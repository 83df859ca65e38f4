#pragma once
// Quick questions about a video recording on the card, answered without
// loading it: what the file lists show for each ".vdd" data file.

#include <cstdint>
#include <string>

// The recording's event code, from the comment block of the data file's
// first picture. 0 when the file cannot be read or no comment block lies
// within its first 2048 bytes.
uint8_t ReadVideoEventCode(const std::string& dataPath);

// The extended event code from the index trailer (byte 86 of the last 92
// bytes); 0 without an index of at least 92 bytes.
uint8_t ReadVideoExtendedEventCode(const std::string& dataPath);

// The event name the file lists give the recording: its event code's, or
// for the extended set the extended code's.
std::string ReadVideoEventName(const std::string& dataPath);

struct VideoIds {
  std::string drid;  // recorder id, at most 10 characters
  std::string sdid;  // SD card id, at most 10 characters
};

// The recorder and card ids from a current index trailer; both empty when
// the index is missing, old, or carries no identity.
VideoIds ReadVideoIds(const std::string& dataPath);
