#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTreeView>

#include "window_fixture.h"

namespace zq::test {
namespace {

class CommandsTest : public WindowFixture {
 protected:
  // Starts "New folder", types `name` into the row's editor and presses Enter.
  void NewFolder(const std::string& name) {
    List().OnNewFolder();
    ASSERT_TRUE(List().NewFolderPending());
    auto* editor = List().DetailsView()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text().toStdString(), "NewDir");
    editor->setText(QString::fromStdString(name));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(editor, &enter);
    QApplication::processEvents();  // the editor closes through a queued call
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(List().NewFolderPending());
  }
};

TEST_F(CommandsTest, SortingByAColumnTwiceReversesIt) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\");
  List().OnHeaderClicked(0);
  auto ascending = Names();
  ASSERT_GE(ascending.size(), 3U);
  EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
  List().OnHeaderClicked(0);
  auto descending = Names();
  std::reverse(descending.begin(), descending.end());
  EXPECT_EQ(descending, ascending);
}

TEST_F(CommandsTest, ArrangeBySizeSortsTheSizeColumn) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  frame->Action(CMainFrame::kBySize)->trigger();
  EXPECT_EQ(Names().back(), "BIG.TXT");  // Size ascending
  frame->Action(CMainFrame::kBySize)->trigger();
  EXPECT_EQ(Names().front(), "BIG.TXT");  // then descending
}

TEST_F(CommandsTest, NewFolderTooLongIsRefusedAndItsRowGoes) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\");
  const auto before = Names();
  NewFolder("ABCDEFGHI");
  ASSERT_EQ(Boxes().size(), 1U);
  EXPECT_EQ(Boxes()[0].text, "too long file name\nmaximum 8 characters allowed for file name");
  EXPECT_EQ(Boxes()[0].caption, "ERROR");
  EXPECT_EQ(Names(), before);
  EXPECT_FALSE(std::filesystem::exists(console.CardDir() / "ABCDEFGHI"));
}

TEST_F(CommandsTest, NewFolderWithAnExistingNameIsRefused) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\");
  const auto before = Names();
  NewFolder("mp3");
  ASSERT_EQ(ui.Messages(), (std::vector<std::string>{"same folder already exists"}));
  EXPECT_EQ(Boxes()[0].caption, "ERROR");
  EXPECT_EQ(Names(), before);
}

TEST_F(CommandsTest, NewConsoleFolderWithACharacterTheCardCannotStoreIsRefused) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\");
  const auto before = Names();
  const auto onCard = [&] {
    return std::distance(std::filesystem::directory_iterator(console.CardDir()),
                         std::filesystem::directory_iterator());
  };
  const auto cardEntries = onCard();
  for (const std::string name : {"A*B", "A?B", "A:B", "A|B", "A\"B", "A<B"}) {
    ui.ClearLog();
    NewFolder(name);
    EXPECT_EQ(
        ui.Messages(),
        (std::vector<std::string>{"invalid character in folder name\nfolder name : zq:\\" + name}))
        << name;
    EXPECT_EQ(Names(), before) << name;
  }
  EXPECT_EQ(onCard(), cardEntries);
}

TEST_F(CommandsTest, AGoodNewFolderIsMadeOnTheCardAndShown) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\");
  NewFolder("SAVES");
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(Contains(Names(), "SAVES"));
  EXPECT_FALSE(Contains(Names(), "NewDir"));
  EXPECT_TRUE(std::filesystem::is_directory(console.CardDir() / "SAVES"));
  EXPECT_NE(Tree().FindNode("zq:\\SAVES\\"), nullptr);
}

TEST_F(CommandsTest, NewFolderOnThePcAndANameThatWouldLeaveTheFolder) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  NewFolder("made");
  EXPECT_TRUE(std::filesystem::is_directory(pc / "made"));
  EXPECT_TRUE(Contains(Names(), "made"));
  NewFolder("../outside");
  EXPECT_EQ(ui.Messages(), (std::vector<std::string>{"failed to create folder"}));
  EXPECT_FALSE(std::filesystem::exists(pc.Path().parent_path() / "outside"));
  EXPECT_FALSE(Contains(Names(), "NewDir"));
}

TEST_F(CommandsTest, DeleteOnThePcIsRefusedButCollectsTheSelection) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  Select({"SONG.MP3", "docs"});
  ui.ScriptAnswer(Answer::Ok);
  List().OnDelete();
  ASSERT_EQ(Boxes().size(), 2U);
  EXPECT_EQ(Boxes()[0].kind, "ask");
  EXPECT_EQ(Boxes()[0].text, "do you want to remove?");
  EXPECT_EQ(Boxes()[0].buttons, Buttons::OkCancel);
  EXPECT_EQ(Boxes()[1].text, "removing file or folder in PC is not allowed");
  EXPECT_TRUE(std::filesystem::exists(pc / "SONG.MP3"));
  EXPECT_EQ(List().CopyList(),
            (std::vector<std::string>{PcFolder() + "docs/", PcFolder() + "SONG.MP3"}));
}

TEST_F(CommandsTest, DeleteOnTheConsoleAfterOk) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  Select({"SMALL.TXT"});
  ui.ScriptAnswer(Answer::Cancel);
  List().OnDelete();
  EXPECT_TRUE(std::filesystem::exists(console.CardDir() / "DOCS" / "SMALL.TXT"));
  ui.ScriptAnswer(Answer::Ok);
  QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
  QCoreApplication::sendEvent(List().DetailsView(), &del);
  EXPECT_FALSE(std::filesystem::exists(console.CardDir() / "DOCS" / "SMALL.TXT"));
  EXPECT_FALSE(Contains(Names(), "SMALL.TXT"));
}

// The removal and format questions say what would be lost.
TEST_F(CommandsTest, TheDangerousQuestionsSayWhatWouldBeLost) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  Select({"SMALL.TXT"});
  ui.ScriptAnswer(Answer::Cancel);
  List().OnDelete();
  ui.ScriptAnswer(Answer::Cancel);
  frame->OnFormat();
  EXPECT_EQ(ui.destroyDetails,
            (std::vector<std::string>{"1 item will be removed: SMALL.TXT",
                                      "Every file and folder on the card will be erased."}));
  EXPECT_TRUE(std::filesystem::exists(console.CardDir() / "DOCS" / "SMALL.TXT"));
}

TEST_F(CommandsTest, PasteInBothDirectionsWithTheKeys) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  Select({"SONG.MP3"});
  QKeyEvent copy(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
  QCoreApplication::sendEvent(List().DetailsView(), &copy);
  EXPECT_EQ(List().CopyList(), (std::vector<std::string>{PcFolder() + "SONG.MP3"}));
  List().NavigateTo("zq:\\MP3\\");
  QKeyEvent paste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
  QCoreApplication::sendEvent(List().DetailsView(), &paste);
  EXPECT_TRUE(std::filesystem::exists(console.CardDir() / "MP3" / "SONG.MP3"));
  EXPECT_TRUE(Contains(Names(), "SONG.MP3"));

  Select({"ONE.MP3"});
  frame->Action(CMainFrame::kCopy)->trigger();
  List().NavigateTo(PcFolder() + "docs/");
  frame->Action(CMainFrame::kToolPaste)->trigger();
  EXPECT_EQ(std::filesystem::file_size(pc / "docs" / "ONE.MP3"), 4096U);
  EXPECT_TRUE(Contains(Names(), "ONE.MP3"));
}

TEST_F(CommandsTest, DroppingRowsOnATreeNodeCopiesThemThere) {
  ASSERT_TRUE(Start());
  List().NavigateTo(PcFolder());
  QTreeWidgetItem* deep = NodeInSight("zq:\\DOCS\\DEEP\\");
  ASSERT_NE(deep, nullptr);
  Select({"SONG.MP3"});
  QMimeData rows;
  rows.setData("application/x-zq61-rows", "1");
  // On the node's label: the rest of its row takes no drop.
  const QPointF at = LabelPoint(deep);
  QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &rows, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Tree().viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDragMoveEvent move(at.toPoint(), Qt::CopyAction, &rows, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Tree().viewport(), &move);
  EXPECT_TRUE(move.isAccepted());
  EXPECT_EQ(deep->background(0).style(), Qt::SolidPattern);  // the drop highlight
  QDropEvent drop(at, Qt::CopyAction, &rows, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Tree().viewport(), &drop);
  EXPECT_TRUE(std::filesystem::exists(console.CardDir() / "DOCS" / "DEEP" / "SONG.MP3"));
  EXPECT_EQ(deep->background(0).style(), Qt::NoBrush);
  EXPECT_TRUE(Tree().TakeDropTargetPath().empty());
}

TEST_F(CommandsTest, ContextMenuGraying) {
  ASSERT_TRUE(Start(0));
  List().NavigateTo("zq:\\");
  auto enabled = [this](QMenu* menu) {
    std::map<std::string, bool> state;
    for (QAction* action : menu->actions()) {
      state[action->text().toStdString()] = action->isEnabled();
    }
    return state;
  };
  std::unique_ptr<QMenu> menu(List().BuildContextMenu(nullptr));
  auto state = enabled(menu.get());
  EXPECT_TRUE(state["&New folder"]);
  EXPECT_FALSE(state["&Copy"]);
  EXPECT_FALSE(state["&Delete"]);
  EXPECT_FALSE(state["&Paste"]);
  Select({"MP3"});
  List().OnCopy();
  menu.reset(List().BuildContextMenu(nullptr));
  state = enabled(menu.get());
  EXPECT_FALSE(state["&New folder"]);
  EXPECT_TRUE(state["&Copy"] && state["&Delete"] && state["&Paste"]);
  frame->Mode().Confirm(true);
  List().DetailsView()->selectionModel()->clearSelection();
  menu.reset(List().BuildContextMenu(nullptr));
  EXPECT_FALSE(enabled(menu.get())["&New folder"]);
}

TEST_F(CommandsTest, StylesAndTheirCheckMarks) {
  ASSERT_TRUE(Start());
  frame->Action(CMainFrame::kList)->trigger();
  EXPECT_EQ(List().GetListStyle(), CZQ61View::kList);
  EXPECT_TRUE(frame->Action(CMainFrame::kList)->isChecked());
  EXPECT_FALSE(frame->Action(CMainFrame::kDetails)->isChecked());
  EXPECT_TRUE(frame->ViewDropDownMenu()->actions().at(2)->isChecked());  // "&List"
  frame->Action(CMainFrame::kDropLargeIcons)->trigger();
  EXPECT_EQ(List().GetListStyle(), CZQ61View::kLargeIcons);
  EXPECT_TRUE(frame->Action(CMainFrame::kLargeIcons)->isChecked());
  EXPECT_FALSE(frame->Action(CMainFrame::kList)->isChecked());
}

TEST_F(CommandsTest, FormatAsksFirst) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\");
  ui.ScriptAnswer(Answer::Cancel);
  frame->Action(CMainFrame::kFormat)->trigger();
  EXPECT_EQ(Boxes().size(), 1U);
  EXPECT_EQ(Boxes()[0].text, "do you want to format?");
  EXPECT_TRUE(std::filesystem::exists(console.CardDir() / "DOCS"));
}

}  // namespace
}  // namespace zq::test
