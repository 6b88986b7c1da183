#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "cli/cli_fixture.h"

namespace zq::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string RandomBytes(std::size_t count, unsigned seed) {
  std::mt19937 generator(seed);
  std::string bytes(count, '\0');
  for (char& byte : bytes) {
    byte = static_cast<char>(generator() & 0xFF);
  }
  return bytes;
}

std::size_t Lines(const std::string& text) {
  return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

class CliDeviceTest : public CliTest {};

TEST_F(CliDeviceTest, InfoAndDfReportTheConsoleAndItsCard) {
  StartConsole({"--size", "16", "--firmware", "1.4"});
  const CliRun info = Cli({"info"});
  EXPECT_EQ(info.exitStatus, 0) << info.err;
  EXPECT_THAT(info.out, HasSubstr("firmware:       1.4\n"));
  // Firmware before 1.5 gets the small blocks.
  EXPECT_THAT(info.out, HasSubstr("block size:     32768 bytes\n"));
  EXPECT_THAT(info.out, HasSubstr("total:          16777216 bytes (16384 KB)\n"));
  EXPECT_TRUE(info.err.empty()) << info.err;

  WriteText(Pc() / "ONE.BIN", std::string(5000, 'x'));
  ASSERT_EQ(Cli({"--quiet", "put", (Pc() / "ONE.BIN").string(), "zq:\\"}).exitStatus, 0);
  const CliRun df = Cli({"df"});
  EXPECT_EQ(df.exitStatus, 0) << df.err;
  // The second line is the status bar's text: every count in whole KB.
  const std::string& out = df.out;
  ASSERT_EQ(Lines(out), 2u) << out;
  EXPECT_THAT(out, HasSubstr("total 16777216 bytes  used "));
  EXPECT_THAT(out, HasSubstr("\ntotal size:16384KB  used size:"));
  EXPECT_TRUE(df.err.empty()) << df.err;
}

TEST_F(CliDeviceTest, PutThenGetOfAFolderTreeGivesByteEqualFiles) {
  StartConsole();
  // BIG.BIN crosses the 262144-byte block of firmware 2.0; EMPTY.DAT has no data packet.
  WriteText(Pc() / "TREE" / "A.TXT", "hello\n");
  WriteText(Pc() / "TREE" / "SUB" / "BIG.BIN", RandomBytes(300000, 7));
  WriteText(Pc() / "TREE" / "SUB" / "EMPTY.DAT", "");
  WriteText(Pc() / "TREE" / "SUB" / "DEEP" / "C.BIN", RandomBytes(257, 8));
  const auto original = Tree(Pc() / "TREE");

  const CliRun put = Cli({"put", (Pc() / "TREE").string(), "zq:/GAME"});
  EXPECT_EQ(put.exitStatus, 0) << put.err;
  EXPECT_TRUE(put.out.empty()) << put.out;
  // Without a terminal: one line per file that moved.
  EXPECT_EQ(Lines(put.err), 4u) << put.err;
  EXPECT_THAT(put.err, HasSubstr("BIG.BIN  300000 bytes\n"));
  EXPECT_EQ(Tree(Card() / "GAME" / "TREE"), original);

  const CliRun ls = Cli({"ls", "game\\tree"});
  EXPECT_EQ(ls.exitStatus, 0) << ls.err;
  EXPECT_THAT(ls.out, HasSubstr("DIR   SUB                    0  "));
  EXPECT_THAT(ls.out, HasSubstr("FILE  A.TXT                  6  "));

  std::filesystem::create_directories(Pc() / "back");
  const CliRun get = Cli({"--quiet", "get", "zq:\\GAME\\TREE\\", (Pc() / "back").string()});
  EXPECT_EQ(get.exitStatus, 0) << get.err;
  EXPECT_TRUE(get.err.empty()) << get.err;
  EXPECT_EQ(Tree(Pc() / "back" / "TREE"), original);

  // A single file, and a name given in another case than the card's.
  const CliRun one = Cli({"-q", "get", "zq:/game/tree/sub/big.bin", (Pc() / "back").string()});
  EXPECT_EQ(one.exitStatus, 0) << one.err;
  EXPECT_EQ(ReadText(Pc() / "back" / "big.bin"), original.at("SUB/BIG.BIN"));
}

TEST_F(CliDeviceTest, ARefusedNameWritesNothingToTheCard) {
  StartConsole();
  WriteText(Pc() / "GOOD" / "OK.TXT", "fine");
  WriteText(Pc() / "GOOD" / "TOOLONGNAME.TXT", "too long");
  WriteText(Pc() / "FIRST.TXT", "would fit");
  const auto before = Tree(Card());

  const CliRun put =
      Cli({"put", (Pc() / "FIRST.TXT").string(), (Pc() / "GOOD").string(), "zq:\\GAME"});
  EXPECT_EQ(put.exitStatus, 1);
  EXPECT_EQ(put.err,
            "too long file name\nmaximum 8 characters allowed for file name\n"
            "file name : TOOLONGNAME.TXT\n");
  EXPECT_TRUE(put.out.empty()) << put.out;
  EXPECT_EQ(Tree(Card()), before);
}

TEST_F(CliDeviceTest, MkdirAndRmChangeTheCardAndReportFailures) {
  StartConsole();
  const CliRun made = Cli({"mkdir", "zq:\\GAME\\NEW"});
  EXPECT_EQ(made.exitStatus, 0) << made.err;
  EXPECT_TRUE(std::filesystem::is_directory(Card() / "GAME" / "NEW"));

  const CliRun again = Cli({"mkdir", "GAME/new"});
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_EQ(again.err, "same folder already exists\n");

  const CliRun tooLong = Cli({"mkdir", "GAME/NINECHARS"});
  EXPECT_EQ(tooLong.exitStatus, 1);
  EXPECT_EQ(tooLong.err, "too long file name\nmaximum 8 characters allowed for file name\n");

  WriteText(Card() / "GAME" / "NEW" / "IN.TXT", "inside");
  WriteText(Card() / "GAME" / "LOOSE.TXT", "loose");
  const CliRun removed = Cli({"rm", "zq:/GAME/LOOSE.TXT", "zq:/GAME/NEW/"});
  EXPECT_EQ(removed.exitStatus, 0) << removed.err;
  EXPECT_FALSE(std::filesystem::exists(Card() / "GAME" / "LOOSE.TXT"));
  EXPECT_FALSE(std::filesystem::exists(Card() / "GAME" / "NEW"));

  // The first refusal stops the removal; what follows stays.
  WriteText(Card() / "GAME" / "KEEP.TXT", "keep");
  const CliRun missing = Cli({"rm", "GAME/MISSING.TXT", "GAME/KEEP.TXT"});
  EXPECT_EQ(missing.exitStatus, 1);
  EXPECT_EQ(missing.err, "an error occurred in ZQ61 during process\n");
  EXPECT_TRUE(std::filesystem::exists(Card() / "GAME" / "KEEP.TXT"));
}

TEST_F(CliDeviceTest, FormatWithoutYesIsAnsweredNoAndChangesNothing) {
  StartConsole();
  WriteText(Card() / "GAME" / "KEEP.TXT", "keep");
  const auto before = Tree(Card());
  const CliRun run = Cli({"format"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "you will lost all data in SMC.\nprogress anyway? [y/N] no\n");
  EXPECT_EQ(Tree(Card()), before);
}

TEST_F(CliDeviceTest, FormatWithYesLeavesTheStandardFoldersOnly) {
  StartConsole();
  WriteText(Card() / "GAME" / "OLD.TXT", "old");
  WriteText(Card() / "EXTRA" / "X.TXT", "x");
  const CliRun run = Cli({"--yes", "format"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.err, StartsWith("you will lost all data in SMC.\nprogress anyway? [y/N] yes\n"));
  const std::map<std::string, std::string> standard = {
      {"GAME/", ""}, {"MP3/", ""}, {"ZQETC/", ""}, {"ZQMM/", ""}, {"ZQSYS/", ""}};
  EXPECT_EQ(Tree(Card()), standard);
}

TEST_F(CliDeviceTest, AnUnformattedCardIsReportedUntilFormatted) {
  StartConsole({"--unformatted"});
  const CliRun ls = Cli({"ls"});
  EXPECT_EQ(ls.exitStatus, 1);
  EXPECT_EQ(ls.err, "unformatted SMC\n");
  EXPECT_TRUE(ls.out.empty());

  ASSERT_EQ(Cli({"--yes", "format"}).exitStatus, 0);
  const CliRun after = Cli({"ls"});
  EXPECT_EQ(after.exitStatus, 0) << after.err;
  EXPECT_EQ(Lines(after.out), 5u) << after.out;
}

}  // namespace
}  // namespace zq::test
