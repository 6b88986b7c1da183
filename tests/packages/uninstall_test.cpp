#include "packages/uninstall.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "package_ops_fixture.h"
#include "packages/installed_programs.h"

namespace zq::test {
namespace {

using ::testing::IsEmpty;
using ::testing::UnorderedElementsAre;

TEST(LocateProgramTest, ExecutableThenDataFolderNamedBeforeTheFirstDot) {
  const auto game = LocateProgram("NAME.ZXE");
  ASSERT_TRUE(game);
  EXPECT_EQ(game->executable, "zq:\\game\\NAME.ZXE");
  EXPECT_EQ(game->dataFolder, "zq:\\game\\NAME\\");

  const auto twoDots = LocateProgram("A.B.ZXE");
  ASSERT_TRUE(twoDots);
  EXPECT_EQ(twoDots->dataFolder, "zq:\\game\\A\\");

  const auto lower = LocateProgram("game.zxe");
  ASSERT_TRUE(lower);
  EXPECT_EQ(lower->executable, "zq:\\game\\game.zxe");
  EXPECT_EQ(lower->dataFolder, "zq:\\game\\game\\");

  const auto fxe = LocateProgram("PLAYER.FXE");
  ASSERT_TRUE(fxe);
  EXPECT_EQ(fxe->executable, "zq:\\zqmm\\PLAYER.FXE");
  EXPECT_EQ(fxe->dataFolder, "zq:\\zqmm\\PLAYER\\");
}

TEST(LocateProgramTest, RefusesOtherExtensionsAndNamesThatAreNotOneCardName) {
  EXPECT_FALSE(LocateProgram("NOTE.TXT"));
  EXPECT_FALSE(LocateProgram("ZXE"));
  // Its data folder would be zq:\game\ itself.
  EXPECT_FALSE(LocateProgram(".ZXE"));
  EXPECT_FALSE(LocateProgram("../X.ZXE"));
  EXPECT_FALSE(LocateProgram("A\\B.ZXE"));
}

class UninstallTest : public PackageOpsTest {
 protected:
  UninstallTest() {
    PutCardFile("zq:\\game\\NAME.ZXE", ToBytes("name program"));
    PutCardFile("zq:\\game\\NAME\\DATA.DAT", ToBytes("name data"));
    PutCardFile("zq:\\game\\game.zxe", ToBytes("lower"));
    PutCardFile("zq:\\game\\TWO.ZXE", ToBytes("two"));
    PutCardFile("zq:\\game\\TWO\\SAVE.DAT", ToBytes("a save"));
    PutCardFolder("zq:\\game\\DIR.ZXE");
    PutCardFile("zq:\\game\\NOTE.TXT", ToBytes("not a program"));
    PutCardFile("zq:\\zqmm\\PLAYER.FXE", ToBytes("player"));
    PutCardFile("zq:\\zqmm\\PLAYER\\SKIN.DAT", ToBytes("skin"));
    PutCardFile("zq:\\zqmm\\OTHER.ZXE", ToBytes("wrong folder for a ZXE"));
  }

  std::filesystem::path programFolder_ = pc_ / "program";
};

TEST_F(UninstallTest, ListsZxeInGameAndFxeInZqmmFilesAndFoldersAlike) {
  const auto names = ListInstalledPrograms(ops_);
  ASSERT_TRUE(names);
  EXPECT_THAT(*names,
              UnorderedElementsAre("NAME.ZXE", "GAME.ZXE", "TWO.ZXE", "DIR.ZXE", "PLAYER.FXE"));
  EXPECT_THAT(ui_.Messages(), IsEmpty());
}

TEST_F(UninstallTest, AnEmptyCardGivesAnEmptyList) {
  std::filesystem::remove_all(CardPath("zq:\\game"));
  std::filesystem::remove_all(CardPath("zq:\\zqmm"));
  PutCardFolder("zq:\\GAME");
  PutCardFolder("zq:\\ZQMM");

  const auto names = ListInstalledPrograms(ops_);
  ASSERT_TRUE(names);
  EXPECT_THAT(*names, IsEmpty());
}

TEST_F(UninstallTest, AFailedListingShowsOneMessageAndNoList) {
  std::filesystem::remove_all(CardPath("zq:\\game"));

  EXPECT_FALSE(ListInstalledPrograms(ops_));
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"an error occurred in ZQ61 during process"});
}

TEST_F(UninstallTest, RemovesTheExecutableAndItsDataFolder) {
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_TRUE(UninstallSelected(ops_, "TWO.ZXE"));

  EXPECT_EQ(ui_.LogOf("ask"),
            std::vector<std::string>{"ask: do you REALLY want to uninstall this application?"});
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"uninstalled successfully"});
  EXPECT_FALSE(CardHasFile("zq:\\game\\TWO.ZXE"));
  EXPECT_FALSE(CardHasFolder("zq:\\game\\TWO"));
  EXPECT_TRUE(CardHasFile("zq:\\game\\NAME.ZXE"));
  EXPECT_FALSE(ui_.Progress().visible);
}

TEST_F(UninstallTest, NoOrNothingSelectedKeepsTheDialogOpen) {
  const auto before = CardFiles();
  ui_.ScriptAnswer(Answer::No);

  EXPECT_FALSE(UninstallSelected(ops_, "NAME.ZXE"));
  EXPECT_FALSE(UninstallSelected(ops_, std::nullopt));

  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"please select an application to uninstall"});
  EXPECT_EQ(CardFiles(), before);
}

TEST_F(UninstallTest, AProgramWithoutDataFolderKeepsTheDialogOpenAfterRemovingIt) {
  ui_.ScriptAnswer(Answer::Yes);

  EXPECT_FALSE(UninstallSelected(ops_, "game.zxe"));

  EXPECT_FALSE(CardHasFile("zq:\\game\\game.zxe"));
  EXPECT_THAT(ui_.Messages(), ::testing::Not(::testing::Contains("uninstalled successfully")));
}

TEST_F(UninstallTest, BackUpCopiesAnFxeProgramAndItsFolder) {
  const auto target = pc_ / "saved";
  std::filesystem::create_directories(target);
  ui_.ScriptFolder(target.string());

  EXPECT_TRUE(BackUpSelected(ops_, "PLAYER.FXE", programFolder_));

  EXPECT_EQ(ui_.LogOf("choose-folder"), std::vector<std::string>{"choose-folder: select folder"});
  EXPECT_EQ(ui_.folderPreselections,
            std::vector<std::string>{(programFolder_ / "backup").string()});
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"backed up successfully"});
  EXPECT_EQ(ReadBytes(target / "PLAYER.FXE"), ToBytes("player"));
  EXPECT_EQ(ReadBytes(target / "PLAYER" / "SKIN.DAT"), ToBytes("skin"));
  EXPECT_TRUE(CardHasFile("zq:\\zqmm\\PLAYER.FXE"));
}

TEST_F(UninstallTest, BackUpCancelledOrNothingSelectedKeepsTheDialogOpen) {
  ui_.ScriptFolder(std::nullopt);

  EXPECT_FALSE(BackUpSelected(ops_, "NAME.ZXE", programFolder_));
  EXPECT_FALSE(BackUpSelected(ops_, std::nullopt, programFolder_));

  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"please select an application to back up"});
  EXPECT_FALSE(std::filesystem::exists(programFolder_));
}

TEST(ProgramActionCaptionTest, NamesTheMode) {
  EXPECT_STREQ(ProgramActionCaption(ProgramAction::Uninstall), "uninstall");
  EXPECT_STREQ(ProgramActionCaption(ProgramAction::BackUp), "backup");
}

}  // namespace
}  // namespace zq::test
