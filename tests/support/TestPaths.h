#pragma once
// Where the tests find the source tree, the build and the programs. The
// paths are defined in one generated file of the build, not on every test's
// command line, so a clone in another folder compiles the tests into the
// same objects and the compiler cache serves them.

extern const char* const kKorvaneSourceDir;
extern const char* const kKorvaneBuildDir;
extern const char* const kKorvaneCliPath;
extern const char* const kKorvaneProgramPath;

#define KORVANE_SOURCE_DIR kKorvaneSourceDir
#define KORVANE_BUILD_DIR kKorvaneBuildDir
#define KORVANE_CLI_PATH kKorvaneCliPath
#define KORVANE_PROGRAM_PATH kKorvaneProgramPath
