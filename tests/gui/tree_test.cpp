#include "window_fixture.h"

namespace zq::test {
namespace {

class TreeTest : public WindowFixture {};

TEST_F(TreeTest, ExpandingAgainShowsAFolderMadeMeanwhile) {
  ASSERT_TRUE(Start());
  QTreeWidgetItem* consoleNode = Tree().ConsoleNode();
  consoleNode->setExpanded(true);
  EXPECT_TRUE(Contains(ChildTexts(consoleNode), "GAME"));
  EXPECT_FALSE(Contains(ChildTexts(consoleNode), "LATER"));
  std::filesystem::create_directories(console.CardDir() / "LATER");
  consoleNode->setExpanded(false);
  consoleNode->setExpanded(true);
  EXPECT_TRUE(Contains(ChildTexts(consoleNode), "LATER"));
}

TEST_F(TreeTest, SelectingNodesDrivesTheList) {
  ASSERT_TRUE(Start());
  Tree().setCurrentItem(Tree().ConsoleNode());
  EXPECT_EQ(List().CurrentPath(), "zq:\\");
  EXPECT_TRUE(Contains(Names(), "GAME"));
  // The computer node changes nothing in the list.
  Tree().setCurrentItem(Tree().ComputerNode());
  EXPECT_EQ(List().CurrentPath(), "zq:\\");
  Tree().ComputerNode()->setExpanded(true);
  ASSERT_EQ(Tree().ComputerNode()->childCount(), 1);
  Tree().setCurrentItem(Tree().ComputerNode()->child(0));
  EXPECT_EQ(List().CurrentPath(), PcFolder());
  EXPECT_TRUE(Contains(Names(), "SONG.MP3"));
}

TEST_F(TreeTest, PathsOfNodes) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(Tree().SelectFolder("zq:\\game\\race\\"), 0);
  EXPECT_EQ(Tree().PathOfNode(Tree().ConsoleNode()), "zq:\\");
  QTreeWidgetItem* race = Tree().FindNode("zq:\\GAME\\RACE\\");
  ASSERT_NE(race, nullptr);
  EXPECT_EQ(Tree().PathOfNode(race), "zq:\\GAME\\RACE\\");
  EXPECT_FALSE(race->isExpanded());  // the last node is neither expanded nor selected
  EXPECT_EQ(Tree().PathOfNode(Tree().ComputerNode()), "");
  ASSERT_EQ(Tree().SelectFolder(PcFolder() + "docs/"), 0);
  QTreeWidgetItem* docs = Tree().FindNode(PcFolder() + "docs/");
  ASSERT_NE(docs, nullptr);
  EXPECT_EQ(Tree().PathOfNode(docs), PcFolder() + "docs/");
  EXPECT_EQ(Tree().PathOfNode(docs->parent()), PcFolder());
}

TEST_F(TreeTest, AMissingDriveIsReported) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(Tree().SelectFolder("x:\\data\\"), -1);
  EXPECT_EQ(ui.Messages(),
            (std::vector<std::string>{"[SelectFolder]couldn't find X: from x:\\data\\"}));
  EXPECT_EQ(Tree().SelectFolder("zq:\\NOSUCH\\"), -1);
  EXPECT_EQ(ui.Messages().size(), 1U);
}

TEST_F(TreeTest, FolderNodesFollowCreationAndRemoval) {
  ASSERT_TRUE(Start());
  Tree().AddFolderNode("zq:\\NEW\\INNER\\");
  QTreeWidgetItem* inner = Tree().FindNode("zq:\\NEW\\INNER\\");
  ASSERT_NE(inner, nullptr);
  EXPECT_FALSE(inner->parent()->isExpanded());
  Tree().RemoveFolderNode("zq:\\NEW\\INNER");
  EXPECT_EQ(Tree().FindNode("zq:\\NEW\\INNER\\"), nullptr);
  EXPECT_NE(Tree().FindNode("zq:\\NEW\\"), nullptr);
}

TEST_F(TreeTest, ConsoleFilesAreNodesThatLeadNowhere) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\GAME\\");
  QTreeWidgetItem* game = Tree().FindNode("zq:\\GAME\\");
  ASSERT_NE(game, nullptr);
  game->setExpanded(true);
  QTreeWidgetItem* file = CZQTreeView::ChildNamed(game, "RACE.ZXE");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(file->childIndicatorPolicy(), QTreeWidgetItem::DontShowIndicatorWhenChildless);
  Tree().setCurrentItem(file);
  EXPECT_EQ(List().CurrentPath(), "zq:\\GAME\\");
  EXPECT_TRUE(ui.Messages().empty());
}

}  // namespace
}  // namespace zq::test
