// korvane-cli delete-recordings (and its older name delete-files) on a
// generated card: nothing goes without --yes, then only the chosen kind goes.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "samplecard/SampleCard.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;

int FilesIn(const fs::path& folder) {
  int count = 0;
  for (const auto& entry : fs::directory_iterator(folder)) count += entry.is_regular_file() ? 1 : 0;
  return count;
}

TEST(CliDeleteFiles, CountsWithoutYesThenDeletesTheChosenKindOnly) {
  TempDir dir;
  SampleCardOptions options;
  options.events = 1;
  options.normals = 1;
  options.logs = 2;
  options.width = 64;
  options.height = 48;
  options.eventSeconds = 2;
  std::string error;
  ASSERT_TRUE(WriteSampleCard(dir / "card", options, nullptr, &error)) << error;
  const std::string card = ShellQuote((dir / "card").string());
  const std::string cli = ShellQuote(KORVANE_CLI_PATH) + " delete-recordings " + card;
  const std::string olderName = ShellQuote(KORVANE_CLI_PATH) + " delete-files " + card;

  const CliRun dry = RunShell(olderName + " --logs 2>" + ShellQuote((dir / "err").string()));
  EXPECT_EQ(dry.exitStatus, 2);
  EXPECT_NE(TempDir::Read(dir / "err").find("would delete 2 file(s)"), std::string::npos);
  EXPECT_EQ(FilesIn(dir / "card/log"), 2);
  EXPECT_EQ(RunShell(cli + " --yes 2>/dev/null").exitStatus, 2);  // neither kind chosen

  const CliRun run = RunShell(cli + " --logs --yes --json");
  ASSERT_EQ(run.exitStatus, 0);
  const nlohmann::json result = nlohmann::json::parse(run.out);
  EXPECT_EQ(result["counted"], 2);
  EXPECT_EQ(result["deleted"], 2);
  EXPECT_EQ(FilesIn(dir / "card/log"), 0);
  EXPECT_GT(FilesIn(dir / "card/ch1/event"), 0);
}

}  // namespace
