#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/cli_fixture.h"
#include "support/package_builder.h"

namespace zq::test {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class CliPackageTest : public CliTest {
 protected:
  void SetUp() override { StartConsole(); }
};

TEST_F(CliPackageTest, InstallsAFreePackageUnderItsRoot) {
  ArchiveBuilder::Package()
      .Title("Hello")
      .Root("zq:\\GAME")
      .Folder("", "HELLO")
      .File("\\HELLO", "DATA.BIN", std::string_view("level data"))
      .File("", "HELLO.ZXE", std::string_view("program"))
      .WriteTo(Pc() / "hello.fpk");
  const auto before = Tree(Card());

  const CliRun refused = Cli({"install", (Pc() / "hello.fpk").string()});
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_EQ(refused.err, "do you want to install 'Hello'? [y/N] no\n");
  EXPECT_EQ(Tree(Card()), before);

  const CliRun run = Cli({"--yes", "install", (Pc() / "hello.fpk").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err,
            "do you want to install 'Hello'? [y/N] yes\n"
            "DATA.BIN  10 bytes\n"
            "HELLO.ZXE  7 bytes\n");
  EXPECT_EQ(ReadText(Card() / "GAME" / "HELLO" / "DATA.BIN"), "level data");
  EXPECT_EQ(ReadText(Card() / "GAME" / "HELLO.ZXE"), "program");
}

TEST_F(CliPackageTest, InstallsACommercialPackageAndSaysSo) {
  const Bytes level = ToBytes("track one");
  CommercialBuilder()
      .Title("Race")
      .TargetFolder("zq:\\GAME\\RACE")
      .Zxe("RACE.ZXE", ToBytes("race program"))
      .Zxc("RACE.ZXC", ToBytes("race config"))
      .Folder("zq:\\GAME\\RACE")
      .File("zq:\\GAME\\RACE", "LEVEL.DAT", level)
      .Coding(StreamCoding::kSzddLiteral)
      .WriteTo(Pc() / "RACE.ZPK");

  const CliRun run = Cli({"--yes", "--quiet", "install", (Pc() / "RACE.ZPK").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err,
            "ready to install 'Race'.\ndo you want to progress? [y/N] yes\n"
            "installed successfully\n");
  EXPECT_EQ(ReadText(Card() / "GAME" / "RACE.ZXE"), "race program");
  EXPECT_EQ(ReadText(Card() / "GAME" / "RACE" / "RACE.ZXC"), "race config");
  EXPECT_EQ(ReadText(Card() / "GAME" / "RACE" / "LEVEL.DAT"), "track one");
}

TEST_F(CliPackageTest, AnUnreadablePackageIsReportedAndWritesNothing) {
  WriteText(Pc() / "broken.fpk", "not a package at all");
  const auto before = Tree(Card());
  const CliRun run = Cli({"--yes", "install", (Pc() / "broken.fpk").string()});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "invalid file format\n");
  EXPECT_EQ(Tree(Card()), before);
}

TEST_F(CliPackageTest, PatchKeepsEveryReplacedFileInTheBackupFolder) {
  WriteText(Card() / "GAME" / "HELLO.ZXE", "old program");
  WriteText(Card() / "GAME" / "HELLO" / "DATA.BIN", "old data");
  ArchiveBuilder::Patch()
      .Title("Hello 1.1")
      .Root("zq:\\GAME")
      .Folder("", "HELLO")
      .File("\\HELLO", "DATA.BIN", std::string_view("new data"))
      .File("\\HELLO", "EXTRA.BIN", std::string_view("added"))
      .File("", "HELLO.ZXE", std::string_view("new program"))
      .WriteTo(Pc() / "hello.zqt");
  std::filesystem::create_directories(Pc() / "backup");

  const CliRun run =
      Cli({"--yes", "--quiet", "patch", (Pc() / "hello.zqt").string(), (Pc() / "backup").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "ready to patch 'Hello 1.1'\ndo you want to progress? [y/N] yes\n");
  EXPECT_EQ(ReadText(Card() / "GAME" / "HELLO.ZXE"), "new program");
  EXPECT_EQ(ReadText(Card() / "GAME" / "HELLO" / "DATA.BIN"), "new data");
  EXPECT_EQ(ReadText(Card() / "GAME" / "HELLO" / "EXTRA.BIN"), "added");
  const std::map<std::string, std::string> backup = {
      {"HELLO/", ""}, {"HELLO/DATA.BIN", "old data"}, {"HELLO.ZXE", "old program"}};
  EXPECT_EQ(Tree(Pc() / "backup"), backup);
}

TEST_F(CliPackageTest, PatchWantsAnExistingBackupFolder) {
  ArchiveBuilder::Patch().Title("P").Root("zq:\\GAME").WriteTo(Pc() / "p.zqt");
  const std::string missing = (Pc() / "nowhere").string();
  const CliRun run = Cli({"--yes", "patch", (Pc() / "p.zqt").string(), missing});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_EQ(run.err, "failed to open file\nfolder name : " + missing + "\n");
}

class CliInstalledTest : public CliPackageTest {
 protected:
  void SetUp() override {
    WriteText(Card() / "GAME" / "HELLO.ZXE", "hello program");
    WriteText(Card() / "GAME" / "HELLO" / "SAVE.DAT", "saved game");
    WriteText(Card() / "GAME" / "README.TXT", "not a program");
    WriteText(Card() / "ZQMM" / "tool.fxe", "tool program");
    WriteText(Card() / "ZQMM" / "TOOL" / "CONF.DAT", "tool config");
    CliPackageTest::SetUp();
  }
};

TEST_F(CliInstalledTest, GamesListsTheProgramsSorted) {
  const CliRun run = Cli({"games"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.out, "HELLO.ZXE\nTOOL.FXE\n");
}

// The card lists the host folder's tool.fxe as TOOL.FXE, as a FAT card without
// long names does; the copy takes the listed names.
TEST_F(CliInstalledTest, BackupCopiesTheProgramAndItsDataFolder) {
  std::filesystem::create_directories(Pc() / "bk");
  const CliRun run = Cli({"-q", "backup", "TOOL.FXE", (Pc() / "bk").string()});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(run.err, "backed up successfully\n");
  const std::map<std::string, std::string> copied = {
      {"TOOL.FXE", "tool program"}, {"TOOL/", ""}, {"TOOL/CONF.DAT", "tool config"}};
  EXPECT_EQ(Tree(Pc() / "bk"), copied);
}

TEST_F(CliInstalledTest, UninstallAsksThenRemovesTheProgramAndItsData) {
  const auto before = Tree(Card());
  const CliRun refused = Cli({"uninstall", "hello.zxe"});
  EXPECT_EQ(refused.exitStatus, 1);
  EXPECT_EQ(refused.err, "do you REALLY want to uninstall this application? [y/N] no\n");
  EXPECT_EQ(Tree(Card()), before);

  const CliRun run = Cli({"--yes", "uninstall", "hello.zxe"});
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_THAT(run.err, EndsWith("uninstalled successfully\n"));
  EXPECT_FALSE(std::filesystem::exists(Card() / "GAME" / "HELLO.ZXE"));
  EXPECT_FALSE(std::filesystem::exists(Card() / "GAME" / "HELLO"));
  EXPECT_TRUE(std::filesystem::exists(Card() / "GAME" / "README.TXT"));
  EXPECT_TRUE(std::filesystem::exists(Card() / "ZQMM" / "tool.fxe"));
}

TEST_F(CliInstalledTest, OnlyAnInstalledProgramCanBeNamed) {
  const auto before = Tree(Card());
  const CliRun run = Cli({"--yes", "uninstall", "README.TXT"});
  EXPECT_EQ(run.exitStatus, 1);
  EXPECT_THAT(run.err, StartsWith("zq61-cli uninstall: no installed program is named README.TXT"));
  EXPECT_EQ(Tree(Card()), before);
}

}  // namespace
}  // namespace zq::test
