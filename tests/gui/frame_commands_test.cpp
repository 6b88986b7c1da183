#include "app/frame_wiring.h"
#include "support/package_builder.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

// The frame's package commands, wired as the program wires them, against the
// in-process console.
class FrameCommandsTest : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
    ASSERT_TRUE(Start());
    WireFrameCommands(*frame, ui, operations, settings, programFolder);
  }

  Bytes CardBytes(const std::filesystem::path& relative) const {
    return ReadBytes(console.CardDir() / relative);
  }

  std::string programFolder = "/nonexistent/prog/";
};

TEST_F(FrameCommandsTest, InstallFromTheMenuPutsThePackageOnTheCard) {
  const auto package = pc.Path() / "demo.fpk";
  ArchiveBuilder::Package()
      .Title("Demo")
      .Root("zq:\\game")
      .Folder("", "DEMO")
      .File("\\DEMO", "LEVEL.DAT", "level one")
      .File("", "DEMO.ZXE", "program")
      .WriteTo(package);
  ui.ScriptOpenFile(package.string());
  ui.ScriptAnswer(Answer::Yes);

  frame->Action(CMainFrame::kInstall)->trigger();

  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(CardBytes("GAME/DEMO/LEVEL.DAT"), ToBytes("level one"));
  EXPECT_EQ(CardBytes("GAME/DEMO.ZXE"), ToBytes("program"));
  EXPECT_EQ(settings.GetString("PATH", "Package"), pc.Path().string());
}

TEST_F(FrameCommandsTest, PatchFromTheMenuKeepsTheReplacedFile) {
  const auto patch = pc.Path() / "fix.zqt";
  const auto backup = pc.Path() / "backup";
  std::filesystem::create_directories(backup);
  ArchiveBuilder::Patch()
      .Title("Fix")
      .Root("zq:\\game")
      .File("", "RACE.ZXE", "new program")
      .WriteTo(patch);
  const Bytes old = CardBytes("GAME/RACE.ZXE");
  ui.ScriptOpenFile(patch.string());
  ui.ScriptFolder(backup.string());
  ui.ScriptAnswer(Answer::Yes);

  frame->Action(CMainFrame::kPatch)->trigger();

  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(CardBytes("GAME/RACE.ZXE"), ToBytes("new program"));
  EXPECT_EQ(ReadBytes(backup / "RACE.ZXE"), old);
  EXPECT_EQ(settings.GetString("PATH", "ZQT"), pc.Path().string());
}

TEST_F(FrameCommandsTest, DoubleClickOnACommercialPackageInstallsIt) {
  CommercialBuilder()
      .Title("Commercial")
      .TargetFolder("zq:\\game\\SHOT")
      .Zxe("SHOT.ZXE", ToBytes("zxe"))
      .Zxc("SHOT.ZXC", ToBytes("zxc"))
      .Folder("zq:\\game\\SHOT")
      .File("zq:\\game\\SHOT", "MAP.DAT", ToBytes("map"))
      .WriteTo(pc.Path() / "shot.zpk");
  List().NavigateTo(PcFolder());
  const int row = List().RowOfName("shot.zpk");
  ASSERT_GE(row, 0);
  ui.ScriptAnswer(Answer::Yes);

  List().OnDoubleClick(Model().index(row, 0));

  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"installed successfully"});
  EXPECT_EQ(CardBytes("GAME/SHOT.ZXE"), ToBytes("zxe"));
  EXPECT_EQ(CardBytes("GAME/SHOT/SHOT.ZXC"), ToBytes("zxc"));
  EXPECT_EQ(CardBytes("GAME/SHOT/MAP.DAT"), ToBytes("map"));
}

}  // namespace
}  // namespace zq::test
