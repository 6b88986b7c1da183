#include <QFocusEvent>
#include <QMouseEvent>
#include <cstdlib>
#include <functional>

#include "views/view_icons.h"
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
  // The last node is neither expanded nor selected.
  EXPECT_FALSE(race->isExpanded());
  EXPECT_FALSE(race->isSelected());
  EXPECT_NE(Tree().currentItem(), race);
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

// Revealing never selects: whatever led to it (a double click that expands
// a node on the way, "..", "move up", a refresh), the folder the person chose
// in the tree stays selected and the revealed node is neither expanded nor
// selected.
TEST_F(TreeTest, ARevealLeavesTheSelectionWhereThePersonPutIt) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  QTreeWidgetItem* docs = Tree().FindNode("zq:\\DOCS\\");
  ASSERT_NE(docs, nullptr);
  Tree().setCurrentItem(docs);
  const struct {
    const char* what;
    std::function<void()> step;
    const char* shown;
  } steps[] = {
      {"double click DEEP",
       [this] { List().OnDoubleClick(Model().index(List().RowOfName("DEEP"), 0)); },
       "zq:\\DOCS\\DEEP\\"},
      {"double click DEEPER",
       [this] { List().OnDoubleClick(Model().index(List().RowOfName("DEEPER"), 0)); },
       "zq:\\DOCS\\DEEP\\DEEPER\\"},
      {"double click ..", [this] { List().OnDoubleClick(Model().index(0, 0)); },
       "zq:\\DOCS\\DEEP\\"},
      {"move up", [this] { frame->MoveUp(); }, "zq:\\DOCS\\"},
      {"refresh", [this] { frame->Action(CMainFrame::kToolRefresh)->trigger(); }, "zq:\\DOCS\\"},
      {"navigate to the root", [this] { List().NavigateTo("zq:\\"); }, "zq:\\"},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    const QTreeWidgetItem* before = Tree().FindNode(s.shown);
    const bool wasExpanded = before != nullptr && before->isExpanded();
    s.step();
    EXPECT_EQ(List().CurrentPath(), s.shown);
    ASSERT_NE(Tree().currentItem(), nullptr);
    EXPECT_EQ(Tree().PathOfNode(Tree().currentItem()), "zq:\\DOCS\\");
    QTreeWidgetItem* revealed = Tree().FindNode(s.shown);
    ASSERT_NE(revealed, nullptr);
    if (revealed != docs) {
      EXPECT_FALSE(revealed->isSelected());
      EXPECT_EQ(revealed->isExpanded(), wasExpanded);
    }
  }
}

// A volume that appears or goes while the program runs shows at the next
// expansion of the computer node (the home folder stands as its first drive).
TEST_F(TreeTest, TheComputerNodeReadsThePresentVolumesAtEachExpansion) {
  const char* oldHome = std::getenv("HOME");
  const std::string savedHome = oldHome != nullptr ? oldHome : "";
  TempDir first("zq-home-a");
  TempDir second("zq-home-b");
  setenv("HOME", first.Path().c_str(), 1);
  frame = std::make_unique<CMainFrame>(ui, operations, settings);
  ui.frame = frame.get();
  ASSERT_TRUE(frame->InitialUpdate("/prog/"));
  setenv("HOME", second.Path().c_str(), 1);
  Tree().ComputerNode()->setExpanded(true);
  ASSERT_GE(Tree().ComputerNode()->childCount(), 1);
  EXPECT_EQ(Tree().PathOfNode(Tree().ComputerNode()->child(0)), second.Path().string() + "/");
  setenv("HOME", first.Path().c_str(), 1);
  Tree().ComputerNode()->setExpanded(false);
  Tree().ComputerNode()->setExpanded(true);
  EXPECT_EQ(Tree().PathOfNode(Tree().ComputerNode()->child(0)), first.Path().string() + "/");
  if (oldHome != nullptr) {
    setenv("HOME", savedHome.c_str(), 1);
  } else {
    unsetenv("HOME");
  }
}

// A PC folder shown in the list and then chosen in the tree: the drives
// were read on the way, with the computer node expanded, so choosing the
// node reads nothing anew under it (which crashed: the node went while it
// was being made current).
// The first click into the tree, while the shown folder's node is out of
// sight, opens the node under the pointer: the focus it brings does not
// scroll the tree first.
TEST_F(TreeTest, AClickThatBringsTheFocusActsOnTheNodeUnderThePointer) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\GAME\\RACE\\");
  List().NavigateTo("zq:\\DOCS\\DEEP\\DEEPER\\");
  Tree().setFixedHeight(40);
  QApplication::processEvents();
  Tree().scrollToTop();
  QTreeWidgetItem* shown = Tree().FindNode("zq:\\DOCS\\DEEP\\DEEPER\\");
  ASSERT_NE(shown, nullptr);
  ASSERT_FALSE(Tree().viewport()->rect().intersects(Tree().visualItemRect(shown)))
      << Tree().viewport()->height() << " " << Tree().visualItemRect(shown).y();
  QTreeWidgetItem* target =
      Tree().itemAt(QPoint(40, Tree().visualItemRect(Tree().topLevelItem(0)).height() * 3 / 2));
  ASSERT_NE(target, nullptr);
  const std::string wanted = Tree().PathOfNode(target);
  ASSERT_NE(wanted, List().CurrentPath());

  const QPoint at = LabelPoint(target);
  QFocusEvent focus(QEvent::FocusIn, Qt::MouseFocusReason);
  QApplication::sendEvent(&Tree(), &focus);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(
        type, QPointF(at), Tree().viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton,
        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Tree().viewport(), &event);
  }
  EXPECT_EQ(List().CurrentPath(), wanted);
}

TEST_F(TreeTest, ChoosingARevealedPcFolderNode) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder() + "docs/");
  EXPECT_TRUE(Tree().ComputerNode()->isExpanded());
  QTreeWidgetItem* docs = Tree().FindNode(PcFolder() + "docs/");
  ASSERT_NE(docs, nullptr);
  Tree().setCurrentItem(docs);
  EXPECT_EQ(Tree().currentItem(), docs);
  EXPECT_EQ(List().CurrentPath(), PcFolder() + "docs/");
}

// The selected folder node shows the open-folder picture, on both sides;
// the node it leaves gets its own picture back.
TEST_F(TreeTest, TheSelectedFolderNodeShowsTheOpenFolder) {
  ASSERT_TRUE(Start());
  const qint64 open = ViewIcons::Get().Program(RowIcon::FolderOpen).cacheKey();
  const qint64 closed = ViewIcons::Get().Program(RowIcon::Folder).cacheKey();
  List().NavigateTo("zq:\\MP3\\");
  QTreeWidgetItem* mp3 = Tree().FindNode("zq:\\MP3\\");
  QTreeWidgetItem* game = Tree().FindNode("zq:\\GAME\\");
  ASSERT_TRUE(mp3 != nullptr && game != nullptr);
  EXPECT_EQ(mp3->icon(0).cacheKey(), closed);
  Tree().setCurrentItem(mp3);
  EXPECT_EQ(mp3->icon(0).cacheKey(), open);
  EXPECT_EQ(game->icon(0).cacheKey(), closed);
  Tree().setCurrentItem(game);
  EXPECT_EQ(game->icon(0).cacheKey(), open);
  EXPECT_EQ(mp3->icon(0).cacheKey(), closed);

  List().NavigateTo(PcFolder() + "docs/");
  QTreeWidgetItem* docs = Tree().FindNode(PcFolder() + "docs/");
  ASSERT_NE(docs, nullptr);
  const qint64 own = docs->icon(0).cacheKey();
  EXPECT_NE(own, open);
  Tree().setCurrentItem(docs);
  EXPECT_EQ(docs->icon(0).cacheKey(), open);
  EXPECT_EQ(game->icon(0).cacheKey(), closed);
  Tree().setCurrentItem(Tree().ConsoleNode());
  EXPECT_EQ(docs->icon(0).cacheKey(), own);
  EXPECT_EQ(Tree().ConsoleNode()->icon(0).cacheKey(), open);
}

}  // namespace
}  // namespace zq::test
