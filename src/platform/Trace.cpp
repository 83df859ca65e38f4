#include "platform/Trace.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

struct TraceTarget {
  std::mutex lock;  // trace lines come from the ui thread and the workers
  bool decided = false;
  bool enabled = false;
  std::string file;
};

TraceTarget& Target() {
  static TraceTarget target;
  return target;
}

void DecideFromEnvironment(TraceTarget& t) {
  if (t.decided) return;
  t.decided = true;
  const char* file = std::getenv("KORVANE_TRACE_FILE");
  if (file && *file) {
    t.enabled = true;
    t.file = file;
    return;
  }
  const char* flag = std::getenv("KORVANE_TRACE");
  t.enabled = flag && std::strcmp(flag, "1") == 0;
}

std::string UnitName(const char* sourceFile) {
  std::string name = sourceFile ? sourceFile : "";
  const size_t slash = name.find_last_of("/\\");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

}  // namespace

bool TraceEnabled() {
  TraceTarget& t = Target();
  std::lock_guard guard(t.lock);
  DecideFromEnvironment(t);
  return t.enabled;
}

void TraceRedirect(const std::string& filePath) {
  TraceTarget& t = Target();
  std::lock_guard guard(t.lock);
  t.decided = false;
  t.file.clear();
  if (filePath.empty()) return;
  t.decided = true;
  t.enabled = true;
  t.file = filePath;
}

std::string TraceLocation(const char* sourceFile, int line) {
  char buffer[1024];
  std::snprintf(buffer, sizeof buffer, "%d line in %s", line, UnitName(sourceFile).c_str());
  return buffer;
}

void TraceWrite(const char* sourceFile, int line, const char* format, ...) {
  if (!TraceEnabled()) return;

  char text[kTraceTextMax + 1];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);

  const std::string location = TraceLocation(sourceFile, line);
  TraceTarget& t = Target();
  std::lock_guard guard(t.lock);
  FILE* out = t.file.empty() ? stderr : std::fopen(t.file.c_str(), "a");
  if (!out) return;
  std::fprintf(out, "[korvane] %s: %s\n", location.c_str(), text);
  if (out != stderr) std::fclose(out);
}
