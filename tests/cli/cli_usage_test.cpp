#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"

namespace zq::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class CliUsageTest : public CliTest {};

TEST_F(CliUsageTest, HelpListsEveryCommandOnStandardOutput) {
  const CliRun run = Cli({"--help"});
  EXPECT_EQ(run.exitStatus, 0);
  EXPECT_TRUE(run.err.empty()) << run.err;
  for (const char* synopsis :
       {"info", "df", "ls [CONSOLE_FOLDER]", "mkdir CONSOLE_FOLDER", "rm CONSOLE_PATH...",
        "put PC_PATH... CONSOLE_FOLDER", "get CONSOLE_PATH... PC_FOLDER", "format",
        "install PACKAGE", "patch PATCH BACKUP_FOLDER", "games", "uninstall NAME",
        "backup NAME PC_FOLDER", "mp3 show FILE", "mp3 send FILE..."}) {
    EXPECT_THAT(run.out, HasSubstr(synopsis));
  }
}

TEST_F(CliUsageTest, EachCommandHasItsHelpWithoutAConsole) {
  for (const char* command : {"put", "get", "rm", "install", "mp3", "format"}) {
    const CliRun run = Cli({command, "--help"});
    EXPECT_EQ(run.exitStatus, 0) << command;
    EXPECT_THAT(run.out, StartsWith("usage: zq61-cli")) << command;
    EXPECT_THAT(run.out, HasSubstr(command));
    EXPECT_TRUE(run.err.empty()) << run.err;
  }
}

TEST_F(CliUsageTest, WrongUsageExitsTwoWithTheUsageOnStandardError) {
  struct Case {
    std::vector<std::string> arguments;
    const char* problem;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"frobnicate"}, "unknown command frobnicate"},
      {{"--colour", "ls"}, "unknown option --colour"},
      {{"ls", "zq:\\a", "zq:\\b"}, "at most one console folder expected"},
      {{"put", "only-one"}, "PC files or folders and one console folder expected"},
      {{"install", "game.txt"}, "a package file ends in .fpk or .zpk"},
      {{"mp3", "send", "a.mp3", "--rating", "5"}, "unknown option --rating"},
      {{"mp3", "send", "a.mp3", "b.mp3", "--name", "X"}, "--name names one file only"},
      {{"mp3", "send", "a.mp3", "--genre", "polka-punk"}, "unknown genre polka-punk"},
  };
  for (const Case& c : cases) {
    const CliRun run = Cli(c.arguments);
    EXPECT_EQ(run.exitStatus, 2) << c.problem;
    EXPECT_THAT(run.err, HasSubstr(c.problem));
    EXPECT_THAT(run.err, HasSubstr("usage: zq61-cli"));
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
}

TEST_F(CliUsageTest, NoConsoleAtAllFailsWithTheConnectMessage) {
  // The device directory exists but holds no console.
  const CliRun run = Cli({"ls"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "failed to open USB port\n");
  EXPECT_TRUE(run.out.empty()) << run.out;
}

TEST_F(CliUsageTest, VerboseShowsTheLinkDiagnosticsOnStandardOutput) {
  const CliRun run = Cli({"--verbose", "df"});
  EXPECT_EQ(run.exitStatus, 1);
  // Both pipes are looked for, and neither is found.
  EXPECT_EQ(run.out, "Failed to GetUsbDeviceFileName\nFailed to GetUsbDeviceFileName\n");
  EXPECT_EQ(run.err, "failed to open USB port\n");
}

}  // namespace
}  // namespace zq::test
