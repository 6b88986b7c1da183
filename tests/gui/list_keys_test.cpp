// The usual keys of the file list, and the keys the menus show.
#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>

#include "window_fixture.h"

namespace zq::test {
namespace {

class ListKeysTest : public WindowFixture {
 protected:
  void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(List().DetailsView(), &press);
    QApplication::processEvents();
  }
  void MakeCurrent(const std::string& name) {
    Select({name});
    // Without touching the selection (which would follow the modifiers last pressed).
    List().DetailsView()->selectionModel()->setCurrentIndex(
        Model().index(List().RowOfName(QString::fromStdString(name)), 0),
        QItemSelectionModel::NoUpdate);
  }
};

TEST_F(ListKeysTest, KeysMoveThroughTheFolders) {
  ASSERT_TRUE(Start());
  const struct {
    const char* what;
    std::string from;
    const char* current;  // the row made current first, or empty
    int key;
    Qt::KeyboardModifiers modifiers;
    std::string to;
  } cases[] = {
      {"Enter opens a folder", "zq:\\DOCS\\", "DEEP", Qt::Key_Return, Qt::NoModifier,
       "zq:\\DOCS\\DEEP\\"},
      {"keypad Enter too", "zq:\\DOCS\\", "DEEP", Qt::Key_Enter, Qt::KeypadModifier,
       "zq:\\DOCS\\DEEP\\"},
      {"Enter on ..", "zq:\\DOCS\\DEEP\\", "..", Qt::Key_Return, Qt::NoModifier, "zq:\\DOCS\\"},
      {"Enter on a file stays", "zq:\\DOCS\\", "BIG.TXT", Qt::Key_Return, Qt::NoModifier,
       "zq:\\DOCS\\"},
      {"Backspace moves up", "zq:\\DOCS\\DEEP\\", "", Qt::Key_Backspace, Qt::NoModifier,
       "zq:\\DOCS\\"},
      {"Alt+Up moves up", "zq:\\DOCS\\DEEP\\", "", Qt::Key_Up, Qt::AltModifier, "zq:\\DOCS\\"},
      {"up from the root stays", "zq:\\", "", Qt::Key_Backspace, Qt::NoModifier, "zq:\\"},
      {"up on the PC", PcFolder() + "docs/", "", Qt::Key_Backspace, Qt::NoModifier, PcFolder()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    List().NavigateTo(c.from);
    if (*c.current != '\0') {
      MakeCurrent(c.current);
    }
    Press(c.key, c.modifiers);
    EXPECT_EQ(List().CurrentPath(), c.to);
  }
}

TEST_F(ListKeysTest, RefreshSelectAllAndDelete) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\");
  WriteFile(console.CardDir() / "DOCS" / "NEW.TXT", 5);
  EXPECT_FALSE(Contains(Names(), "NEW.TXT"));
  Press(Qt::Key_F5);
  EXPECT_TRUE(Contains(Names(), "NEW.TXT"));

  Press(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(List().DetailsView()->selectionModel()->selectedRows().size(), Model().rowCount());

  ui.ScriptAnswer(Answer::Cancel);
  Press(Qt::Key_Delete);
  EXPECT_EQ(ui.LogOf("ask"), std::vector<std::string>{"ask: do you want to remove?"});
  EXPECT_TRUE(Contains(Names(), "NEW.TXT"));
}

// The menus show the list's keys (bound in the list only, so the tree keeps
// its own), and Ctrl+Q closes the window from anywhere in it.
TEST_F(ListKeysTest, TheMenusShowTheKeys) {
  ASSERT_TRUE(Start());
  const struct {
    int id;
    const char* key;
    Qt::ShortcutContext context;
  } items[] = {{CMainFrame::kDelete, "Del", Qt::WidgetShortcut},
               {CMainFrame::kCopy, "Ctrl+C", Qt::WidgetShortcut},
               {CMainFrame::kPaste, "Ctrl+V", Qt::WidgetShortcut},
               {CMainFrame::kRefresh, "F5", Qt::WidgetShortcut},
               {CMainFrame::kClose, "Ctrl+Q", Qt::WindowShortcut}};
  for (const auto& item : items) {
    SCOPED_TRACE(item.key);
    const QAction* action = frame->Action(item.id);
    EXPECT_EQ(action->shortcut().toString(QKeySequence::PortableText).toStdString(), item.key);
    EXPECT_EQ(action->shortcutContext(), item.context);
  }
  EXPECT_TRUE(frame->actions().contains(frame->Action(CMainFrame::kClose)));
  frame->Action(CMainFrame::kClose)->trigger();
  EXPECT_FALSE(frame->isVisible());
}

}  // namespace
}  // namespace zq::test
