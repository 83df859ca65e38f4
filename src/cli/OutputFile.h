#pragma once
// Files the commands write. An output never replaces one of the command's
// own inputs, and it appears whole or not at all: the bytes go to a new file
// beside it, which is renamed over the output only once it is complete, so
// a failed or interrupted run leaves whatever was there before.

#include <string>
#include <string_view>
#include <vector>

// Whether output names the same file (device and inode, links followed) as
// one of inputs. A missing output or input is no file.
bool IsOneOfInputs(const std::string& output, const std::vector<std::string>& inputs);

// Writes header then body to path through a temporary file in the same
// folder; on failure path is untouched and error says why.
bool WriteOutputFile(const std::string& path, std::string_view header, std::string_view body, std::string* error);
