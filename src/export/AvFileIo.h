#pragma once
// libavformat writing through a file descriptor of our own, so that write
// failures keep their system error number. The descriptor belongs to the
// caller's output file.

#include <cstdint>
#include <string>

struct AVIOContext;

struct AvFileIo {
  AvFileIo() = default;
  ~AvFileIo();
  AvFileIo(const AvFileIo&) = delete;
  AvFileIo& operator=(const AvFileIo&) = delete;

  // False when out of memory.
  bool Open(int descriptor);

  int fd = -1;
  int error = 0;  // errno of the first failed write or seek
  AVIOContext* io = nullptr;
};

// The text of a libav status code.
std::string AvErrorText(int code);
