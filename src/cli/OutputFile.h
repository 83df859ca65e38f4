#pragma once
// Files the commands write. An output never replaces one of the command's
// own inputs, and it appears whole or not at all, as an export's does.

#include <string>
#include <string_view>
#include <vector>

// Whether output names the same file (device and inode, links followed) as
// one of inputs. A missing output or input is no file.
bool IsOneOfInputs(const std::string& output, const std::vector<std::string>& inputs);

// Writes header then body to path as one export output file; on failure
// path is untouched and error says why.
bool WriteOutputFile(const std::string& path, std::string_view header, std::string_view body, std::string* error);
