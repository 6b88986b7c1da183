#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include "app/mode_dialog.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

class ZqModeTest : public WindowFixture {};

TEST_F(ZqModeTest, AGamesFolderShowsOnlyZquserInListAndTree) {
  ASSERT_TRUE(Start(1));
  List().NavigateTo("zq:\\GAME\\RACE\\");
  EXPECT_EQ(Names(), (std::vector<std::string>{"..", "ZQUSER"}));
  QTreeWidgetItem* race = Tree().FindNode("zq:\\GAME\\RACE\\");
  ASSERT_NE(race, nullptr);
  race->setExpanded(true);
  EXPECT_EQ(ChildTexts(race), (std::vector<std::string>{"ZQUSER"}));

  List().NavigateTo("zq:\\GAME\\");
  EXPECT_TRUE(Contains(Names(), "RACE"));
  EXPECT_TRUE(Contains(Names(), "RACE.ZXE"));
  List().NavigateTo("zq:\\GAME\\RACE\\ZQUSER\\");
  EXPECT_TRUE(Contains(Names(), "SAVE.DAT"));
}

TEST_F(ZqModeTest, NormalModeListsEverything) {
  ASSERT_TRUE(Start(0));
  List().NavigateTo("zq:\\GAME\\RACE\\");
  const auto names = Names();
  EXPECT_TRUE(Contains(names, "ZQUSER"));
  EXPECT_TRUE(Contains(names, "DATA"));
  EXPECT_TRUE(Contains(names, "LEVEL1.DAT"));
  QTreeWidgetItem* race = Tree().FindNode("zq:\\GAME\\RACE\\");
  ASSERT_NE(race, nullptr);
  race->setExpanded(true);
  EXPECT_EQ(ChildTexts(race).size(), 3U);
}

TEST_F(ZqModeTest, TheDialogRefreshesOnlyWhenZqModeIsSet) {
  ASSERT_TRUE(Start(0));
  List().NavigateTo("zq:\\GAME\\RACE\\");
  ASSERT_EQ(Model().rowCount(), 4);
  // Normal mode chosen: nothing is read again.
  frame->Mode().Confirm(false);
  frame->AfterModeDialog();
  EXPECT_EQ(Model().rowCount(), 4);
  // ZQ mode chosen: the list is refilled at once, and the console branch read anew.
  frame->Mode().Confirm(true);
  frame->AfterModeDialog();
  EXPECT_EQ(Names(), (std::vector<std::string>{"..", "ZQUSER"}));
  QTreeWidgetItem* race = Tree().FindNode("zq:\\GAME\\RACE\\");
  ASSERT_NE(race, nullptr);
  race->setExpanded(true);
  EXPECT_EQ(ChildTexts(race), (std::vector<std::string>{"ZQUSER"}));
  // Switching back to normal mode leaves the list as it was.
  frame->Mode().Confirm(false);
  frame->AfterModeDialog();
  EXPECT_EQ(Names(), (std::vector<std::string>{"..", "ZQUSER"}));
}

void Press(QWidget& widget, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &press);
}

TEST(ModeDialogTest, EnterActsAsOk) {
  ModeFlag flag;  // ZQ mode
  ModeDialog dialog(flag);
  EXPECT_TRUE(dialog.ZqModeButton()->isChecked());
  EXPECT_EQ(dialog.windowTitle().toStdString(), "Configure mode");
  dialog.show();
  dialog.NormalModeButton()->click();
  EXPECT_EQ(flag.Value(), 1);
  Press(dialog, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(flag.Value(), 0);
}

TEST(ModeDialogTest, EscapeAndTheCloseBoxDoNothingCancelKeepsTheMode) {
  ModeFlag flag;
  flag.Confirm(false);
  ModeDialog dialog(flag);
  EXPECT_TRUE(dialog.NormalModeButton()->isChecked());
  dialog.show();
  dialog.ZqModeButton()->click();
  Press(dialog, Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());
  dialog.CancelButton()->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(flag.Value(), 0);
}

TEST(ModeDialogTest, OkButtonSetsTheChosenMode) {
  ModeFlag flag;
  flag.Confirm(false);
  ModeDialog dialog(flag);
  dialog.show();
  dialog.ZqModeButton()->click();
  dialog.OkButton()->click();
  EXPECT_EQ(flag.Value(), 1);
}

}  // namespace
}  // namespace zq::test
