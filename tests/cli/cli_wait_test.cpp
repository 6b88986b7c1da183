#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "cli/cli_fixture.h"

namespace zq::test {
namespace {

using ::testing::HasSubstr;

class CliWaitTest : public CliTest {};

TEST_F(CliWaitTest, WaitsForTheConsoleThenRunsTheCommand) {
  CliRun run;
  std::thread cli([&] { run = Cli({"--wait=30", "df"}); });
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  StartConsole();
  cli.join();
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "zq61-cli: waiting for the ZQ61 (at most 30 s)...\n");
  EXPECT_THAT(run.out, HasSubstr("total"));
}

TEST_F(CliWaitTest, AConsoleAlreadyThereIsUsedWithoutALine) {
  StartConsole();
  const CliRun run = Cli({"df", "--wait"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_EQ(run.err, "");
}

TEST_F(CliWaitTest, AWaitThatRunsOutRunsTheCommandWhichFailsAsAlways) {
  const CliRun run = Cli({"--wait=1", "ls"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "zq61-cli: waiting for the ZQ61 (at most 1 s)...\nfailed to open USB port\n");
}

TEST_F(CliWaitTest, TheLimitIsAWholeNumberOfSeconds) {
  for (const char* option : {"--wait=0", "--wait=", "--wait=2s", "--wait=-1"}) {
    const CliRun run = Cli({option, "ls"});
    EXPECT_EQ(run.exitStatus, 2) << option;
    EXPECT_THAT(run.err, HasSubstr("--wait=SECONDS takes a whole number of seconds")) << option;
  }
}

}  // namespace
}  // namespace zq::test
