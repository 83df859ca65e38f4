#include "cli/OutputFile.h"

#include <sys/stat.h>

#include "export/OutputFile.h"

namespace {

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

bool IsOneOfInputs(const std::string& output, const std::vector<std::string>& inputs) {
  struct stat out {};
  if (stat(output.c_str(), &out) != 0) return false;
  for (const std::string& input : inputs) {
    struct stat in {};
    if (!input.empty() && stat(input.c_str(), &in) == 0 && SameFile(out, in)) return true;
  }
  return false;
}

bool WriteOutputFile(const std::string& path, std::string_view header, std::string_view body, std::string* error) {
  OutputFile file;
  if (!file.Open(path)) {
    *error = file.Error();
    return false;
  }
  file.Write(header);
  file.Write(body);
  if (file.Commit()) return true;
  *error = file.Error();
  return false;
}
