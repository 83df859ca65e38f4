#pragma once
// Diagnostic trace. A trace line carries a printf-style text (at most 2047
// characters) and its place in the source ("%d line in %s"). It goes to
// stderr when KORVANE_TRACE=1, or to the file named by KORVANE_TRACE_FILE;
// otherwise it costs one check and writes nothing (its arguments are not
// evaluated).

#include <string>

#if defined(__GNUC__)
#define KORVANE_PRINTF_LIKE(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#define KORVANE_PRINTF_LIKE(fmt, args)
#endif

constexpr int kTraceTextMax = 2047;

// The unit name is the source file's name without folder and extension.
void TraceWrite(const char* sourceFile, int line, const char* format, ...) KORVANE_PRINTF_LIKE(3, 4);

// Whether trace output is switched on for this process (read once).
bool TraceEnabled();

// Formats the location part of a trace record.
std::string TraceLocation(const char* sourceFile, int line);

// Routes the trace to a file (empty = back to the environment's choice); for tests.
void TraceRedirect(const std::string& filePath);

// Some arguments cost a file read or a system call: they wait for the check.
#define KTRACE(...)                                                  \
  do {                                                               \
    if (TraceEnabled()) TraceWrite(__FILE__, __LINE__, __VA_ARGS__); \
  } while (false)
