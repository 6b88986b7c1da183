#include "window_fixture.h"

namespace zq::test {
namespace {

class NavigationTest : public WindowFixture {};

TEST_F(NavigationTest, TheParentRowOnlyBelowTheRoot) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\");
  EXPECT_FALSE(Contains(Names(), ".."));
  EXPECT_TRUE(Contains(Names(), "GAME"));
  List().NavigateTo("zq:\\MP3\\");
  ASSERT_GE(Model().rowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "..");
  EXPECT_EQ(Cell(0, 2), "folder");
  EXPECT_EQ(Cell(0, 1), "");
  EXPECT_EQ(Cell(0, 3), "");
  EXPECT_EQ(CellOf("ONE.MP3", 2), "SMC file");
  EXPECT_EQ(CellOf("ONE.MP3", 1), "4KB");
}

TEST_F(NavigationTest, DoubleClicksOnTheParentRowAndOnAFolder) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\MP3\\");
  List().OnDoubleClick(Model().index(0, 0));
  EXPECT_EQ(List().CurrentPath(), "zq:\\");
  List().OnDoubleClick(Model().index(List().RowOfName("DOCS"), 0));
  EXPECT_EQ(List().CurrentPath(), "zq:\\DOCS\\");
  List().OnDoubleClick(Model().index(List().RowOfName("DEEP"), 0));
  EXPECT_EQ(List().CurrentPath(), "zq:\\DOCS\\DEEP\\");
  EXPECT_TRUE(Contains(Names(), "DEEPER"));
  // A console file does nothing.
  List().NavigateTo("zq:\\DOCS\\");
  List().OnDoubleClick(Model().index(List().RowOfName("SMALL.TXT"), 0));
  EXPECT_EQ(List().CurrentPath(), "zq:\\DOCS\\");
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(NavigationTest, MoveUpAtARootShowsTheSameFolderReadAnew) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\DEEP\\");
  frame->Action(CMainFrame::kMoveUp)->trigger();
  EXPECT_EQ(List().CurrentPath(), "zq:\\DOCS\\");
  frame->MoveUp();
  EXPECT_EQ(List().CurrentPath(), "zq:\\");
  std::filesystem::create_directories(console.CardDir() / "NEWONE");
  frame->MoveUp();
  EXPECT_EQ(List().CurrentPath(), "zq:\\");
  EXPECT_TRUE(Contains(Names(), "NEWONE"));

  List().NavigateTo(PcFolder() + "docs/");
  frame->MoveUp();
  EXPECT_EQ(List().CurrentPath(), PcFolder());
}

TEST_F(NavigationTest, SizesInWholeKilobytesAndFolderSizesSortAsZero) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  EXPECT_EQ(CellOf("SMALL.TXT", 1), "0KB");
  EXPECT_EQ(CellOf("BIG.TXT", 1), "10KB");
  EXPECT_EQ(CellOf("DEEP", 1), "");
  List().OnHeaderClicked(1);  // ascending
  const auto names = Names();
  ASSERT_EQ(names.back(), "BIG.TXT");
  // The folder and the 0KB file are both 0: they come before 10KB.
  EXPECT_LT(std::find(names.begin(), names.end(), "DEEP"),
            std::find(names.begin(), names.end(), "BIG.TXT"));
}

TEST_F(NavigationTest, PcFoldersListFoldersFirstAndLeaveHiddenFilesOut) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  const auto names = Names();
  EXPECT_FALSE(Contains(names, ".."));
  EXPECT_FALSE(Contains(names, ".hidden"));
  EXPECT_TRUE(Contains(names, ".config"));  // hidden folders are listed
  ASSERT_TRUE(Contains(names, "SONG.MP3"));
  const int song = List().RowOfName("SONG.MP3");
  EXPECT_GT(song, List().RowOfName("docs"));
  EXPECT_GT(song, List().RowOfName(".config"));
  EXPECT_EQ(CellOf("SONG.MP3", 1), "2KB");
  EXPECT_EQ(CellOf("docs", 2), "folder");
  EXPECT_FALSE(CellOf("SONG.MP3", 2).empty());
  EXPECT_EQ(CellOf("SONG.MP3", 3).size(), 16U);  // "%Y-%m-%d %H:%M"
  // Double click on a PC folder opens it.
  List().OnDoubleClick(Model().index(List().RowOfName("docs"), 0));
  EXPECT_EQ(List().CurrentPath(), PcFolder() + "docs/");
  EXPECT_TRUE(Contains(Names(), "note.txt"));
}

TEST_F(NavigationTest, AZpkDoubleClickGoesToTheInstallHook) {
  WriteFile(pc / "GAME.ZPK", 100);
  ASSERT_TRUE(Start());
  std::string installed;
  frame->Commands().onInstallPackage = [&](const std::string& path) { installed = path; };
  List().NavigateTo(PcFolder());
  List().OnDoubleClick(Model().index(List().RowOfName("GAME.ZPK"), 0));
  EXPECT_EQ(installed, PcFolder() + "GAME.ZPK");
  installed.clear();
  List().OnDoubleClick(Model().index(List().RowOfName("SONG.MP3"), 0));
  EXPECT_TRUE(installed.empty());
}

TEST_F(NavigationTest, ListingFailureShowsOneMessageAndKeepsOnlyTheParentRow) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\NOSUCH\\");
  EXPECT_EQ(Names(), (std::vector<std::string>{".."}));
  EXPECT_EQ(ui.Messages().size(), 1U);
}

}  // namespace
}  // namespace zq::test
