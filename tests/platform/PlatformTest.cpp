// The small platform pieces: text limits, the trace, the manual ports and the
// single-instance lock.
#include <gtest/gtest.h>

#include <thread>

#include "platform/InstanceLock.h"
#include "platform/ManualPorts.h"
#include "platform/Trace.h"
#include "platform/Utf8.h"
#include "support/TempDir.h"

namespace {

// The lock is held once at a time, goes with its holder, and leaves the file
// empty: nothing is written for it.
TEST(InstanceLock, OneHolderAtATimeAndFreedWithIt) {
  TempDir dir;
  const std::filesystem::path file = dir.path() / "instance.lock";
  {
    InstanceLock first;
    ASSERT_TRUE(first.Take(file));
    InstanceLock second;
    EXPECT_FALSE(second.Take(file));
    EXPECT_FALSE(second.Held());
  }
  InstanceLock again;
  EXPECT_TRUE(again.Take(file));
  EXPECT_EQ(std::filesystem::file_size(file), 0u);
  InstanceLock inMissingFolder;
  EXPECT_FALSE(inMissingFolder.Take(dir.path() / "missing" / "instance.lock"));
}

TEST(Utf8, PrefixCountsCharactersNotBytes) {
  EXPECT_EQ(Utf8Prefix("KX17A00042-extra", 10), "KX17A00042");
  EXPECT_EQ(Utf8Prefix("\xED\x95\x9C\xEA\xB8\x80"
                       "abc",
                       2),
            "\xED\x95\x9C\xEA\xB8\x80");
  EXPECT_EQ(Utf8Length("\xED\x95\x9C"
                       "a"),
            2u);
  // A stray byte is one character and is kept rather than dropped.
  EXPECT_EQ(Utf8Prefix("\xFF"
                       "abc",
                       2),
            "\xFF"
            "a");
  EXPECT_EQ(Utf8Prefix("\xE2\x82", 5), "\xE2\x82") << "a cut-off sequence stays inside the text";
  EXPECT_EQ(UntilNul(std::string_view("SD01\0\0\0", 7)), "SD01");
}

TEST(Trace, WritesOnlyWhenSwitchedOnWithItsLocation) {
  TempDir dir;
  const auto file = dir / "trace.txt";
  TraceRedirect(file.string());
  KTRACE("DRID:%s, SDID:%s", "A", "B");
  KTRACE("%s", std::string(5000, 'y').c_str());
  TraceRedirect("");
  const std::string text = TempDir::Read(file);
  EXPECT_NE(text.find("line in PlatformTest: DRID:A, SDID:B"), std::string::npos) << text;
  EXPECT_NE(text.find(std::string(kTraceTextMax, 'y')), std::string::npos);
  EXPECT_EQ(text.find(std::string(kTraceTextMax + 1, 'y')), std::string::npos) << "texts are cut at 2047";
  EXPECT_EQ(TraceLocation("/src/recording/InfoEventFile.cpp", 42), "42 line in InfoEventFile");
}

TEST(ManualPorts, PostsFromWorkersRunOnTheOwnersThread) {
  ManualUiQueue queue;
  const auto owner = std::this_thread::get_id();
  std::thread::id ranOn;
  int sent = 0;
  std::thread worker([&] {
    queue.Post([&] { ranOn = std::this_thread::get_id(); });
    queue.Send([&] { sent = 1; });  // waits for the owner to drain
  });
  while (sent == 0) queue.WaitAndDrain(1000);
  worker.join();
  EXPECT_EQ(ranOn, owner);
}

TEST(ManualPorts, TimersFireAsTheClockAdvances) {
  ManualClock clock;
  ManualTimerHost timers(clock);
  std::vector<std::pair<int, int64_t>> fired;
  timers.SetTimer(1, 25, [&] { fired.emplace_back(1, clock.TickMs()); });
  timers.SetTimer(2, 40, [&] {
    fired.emplace_back(2, clock.TickMs());
    timers.KillTimer(2);
  });
  timers.Advance(100);
  const std::vector<std::pair<int, int64_t>> expected{{1, 25}, {2, 40}, {1, 50}, {1, 75}, {1, 100}};
  EXPECT_EQ(fired, expected);
  EXPECT_EQ(clock.TickMs(), 100);
  EXPECT_FALSE(timers.IsTimerRunning(2));
}

}  // namespace
