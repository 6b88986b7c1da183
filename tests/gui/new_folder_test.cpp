#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeView>
#include <functional>

#include "window_fixture.h"

namespace zq::test {
namespace {

// The new-folder edit of the list, interrupted, cancelled and finished.
class NewFolderTest : public WindowFixture {
 protected:
  // Starts "New folder" and types `name` into the row's editor, left open.
  QLineEdit* OpenEditor(const std::string& name) {
    List().OnNewFolder();
    auto* editor = List().ActiveView()->findChild<QLineEdit*>();
    if (editor != nullptr) {
      editor->setText(QString::fromStdString(name));
    }
    return editor;
  }
  static void Press(QWidget* widget, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    Settle();
  }
  static void Settle() {
    QApplication::processEvents();  // an editor closes through a queued call
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // A second new folder, through the frame's menu: proof that the edit is free again.
  void NewFolderFromTheMenu(const std::string& name) {
    frame->Action(CMainFrame::kNewFolder)->trigger();
    ASSERT_TRUE(List().NewFolderPending());
    auto* editor = List().ActiveView()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText(QString::fromStdString(name));
    Press(editor, Qt::Key_Return);
  }
};

// Refresh, "move up" and a header click each remove or move the edited row.
// The edit ends first as an ended edit (the typed name is created where it
// was typed), the flag is cleared, and the next new folder works.
TEST_F(NewFolderTest, AnInterruptedEditEndsAndTheNextOneWorks) {
  const struct {
    const char* what;
    std::function<void()> interrupt;
    const char* shownAfter;
  } cases[] = {
      {"toolbar refresh", [this] { frame->Action(CMainFrame::kToolRefresh)->trigger(); },
       "zq:\\DOCS\\"},
      {"move up", [this] { frame->Action(CMainFrame::kMoveUp)->trigger(); }, "zq:\\"},
      {"header click", [this] { List().OnHeaderClicked(0); }, "zq:\\DOCS\\"},
      {"header click through the header",
       [this] { emit List().DetailsView()->header()->sectionClicked(1); }, "zq:\\DOCS\\"},
      {"tree selection",
       [this] {
         Tree().setCurrentItem(nullptr);
         Tree().setCurrentItem(Tree().ConsoleNode());
       },
       "zq:\\"},
  };
  ASSERT_TRUE(Start());
  int round = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string typed = "TYPED" + std::to_string(round);
    const std::string again = "AGAIN" + std::to_string(round++);
    List().NavigateTo("zq:\\DOCS\\");
    ASSERT_NE(OpenEditor(typed), nullptr);
    c.interrupt();
    Settle();
    EXPECT_FALSE(List().NewFolderPending());
    EXPECT_EQ(List().CurrentPath(), c.shownAfter);
    EXPECT_TRUE(std::filesystem::is_directory(console.CardDir() / "DOCS" / typed));
    EXPECT_FALSE(std::filesystem::exists(console.CardDir() / "DOCS" / "NEWDIR"));
    EXPECT_FALSE(Contains(Names(), "NewDir"));
    EXPECT_TRUE(ui.Messages().empty());
    NewFolderFromTheMenu(again);
    const std::string shown = List().CurrentPath() == "zq:\\" ? "" : "DOCS";
    EXPECT_TRUE(std::filesystem::is_directory(console.CardDir() / shown / again));
    EXPECT_TRUE(Contains(Names(), again));
    EXPECT_FALSE(List().NewFolderPending());
    ui.ClearLog();
  }
}

// Escape cancels: the row goes and nothing is created, on either side.
TEST_F(NewFolderTest, EscapeCancelsTheEdit) {
  ASSERT_TRUE(Start());
  for (const std::string& folder : {std::string("zq:\\DOCS\\"), PcFolder()}) {
    SCOPED_TRACE(folder);
    List().NavigateTo(folder);
    const auto before = Names();
    QLineEdit* editor = OpenEditor("TYPED");
    ASSERT_NE(editor, nullptr);
    Press(editor, Qt::Key_Escape);
    EXPECT_FALSE(List().NewFolderPending());
    EXPECT_EQ(Names(), before);
    EXPECT_TRUE(ui.Messages().empty());
    for (const char* name : {"NewDir", "NEWDIR", "TYPED"}) {
      EXPECT_FALSE(std::filesystem::exists(console.CardDir() / "DOCS" / name)) << name;
      EXPECT_FALSE(std::filesystem::exists(pc / name)) << name;
    }
    NewFolderFromTheMenu("LATER");
    EXPECT_TRUE(Contains(Names(), "LATER"));
  }
}

// The name of the parent row is an existing name; "." and a name at the root
// without a parent row are refused as names that cannot be made.
TEST_F(NewFolderTest, NamesOfTheParentRowAndOfNoFolder) {
  const struct {
    const char* folder;
    const char* name;
    const char* message;
  } cases[] = {
      {"zq:\\MP3\\", "..", "same folder already exists"},
      {"zq:\\MP3\\", ".", "failed to create folder"},
      {"zq:\\", "..", "failed to create folder"},
  };
  ASSERT_TRUE(Start());
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.folder) + " " + c.name);
    List().NavigateTo(c.folder);
    const auto before = Names();
    QLineEdit* editor = OpenEditor(c.name);
    ASSERT_NE(editor, nullptr);
    Press(editor, Qt::Key_Return);
    EXPECT_EQ(ui.Messages(), (std::vector<std::string>{c.message}));
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes()[0].caption, "ERROR");
    EXPECT_EQ(Names(), before);
    EXPECT_FALSE(List().NewFolderPending());
    ui.ClearLog();
  }
}

}  // namespace
}  // namespace zq::test
