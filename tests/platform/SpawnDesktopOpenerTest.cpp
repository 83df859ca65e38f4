// The desktop opener's answer, with small scripts standing in for
// xdg-open: its exit status says whether a program took the file, a child
// still running after the wait has taken it, and a missing opener took
// nothing.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>

#include "platform/SpawnDesktopOpener.h"
#include "support/TempDir.h"

namespace {

constexpr int kAnswerMs = 300;

TEST(SpawnDesktopOpener, TheOpenersAnswerSaysWhetherAProgramTookIt) {
  TempDir dir;
  struct Case {
    const char* name;
    const char* script;  // nullptr: no such program
    bool took;
  };
  const Case cases[] = {
      {"opened", "exit 0", true},
      {"no program for it", "exit 3", false},
      {"the action failed", "exit 4", false},
      {"the target arrives whole", "[ \"$1\" = '/tmp/a b.kml' ] || exit 9", true},
      {"the viewer holds the opener", "exec sleep 3", true},
      {"no opener installed", nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string program = (dir / "missing-opener").string();
    if (c.script != nullptr) {
      program = dir.Write(c.name, std::string("#!/bin/sh\n") + c.script + "\n").string();
      ASSERT_EQ(::chmod(program.c_str(), 0755), 0);
    }
    SpawnDesktopOpener opener(program, kAnswerMs);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(opener.OpenFile("/tmp/a b.kml"), c.took);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kAnswerMs + 1000)) << "waited on";
    EXPECT_EQ(opener.OpenUrl("/tmp/a b.kml"), c.took);
  }
}

}  // namespace
