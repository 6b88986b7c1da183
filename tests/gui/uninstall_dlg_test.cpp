#include "packages/ui/uninstall_dlg.h"

#include <gtest/gtest.h>

#include <QListWidget>
#include <fstream>
#include <memory>

#include "link/link_session.h"
#include "support/emulated_console.h"
#include "support/fake_user_interface.h"
#include "support/temp_dir.h"

namespace zq::test {
namespace {

class UninstallDlgTest : public ::testing::Test {
 protected:
  UninstallDlgTest() : link_(console_.Connected()), ops_(*link_, ui_) {
    std::filesystem::create_directories(console_.CardDir() / "GAME" / "BETA");
    std::ofstream(console_.CardDir() / "GAME" / "BETA.ZXE") << "beta";
  }

  std::vector<std::string> Rows(const CUninstallDlg& dialog) const {
    std::vector<std::string> rows;
    for (int row = 0; row < dialog.List()->count(); ++row) {
      rows.push_back(dialog.List()->item(row)->text().toStdString());
    }
    return rows;
  }

  EmulatedConsole console_;
  std::unique_ptr<LinkSession> link_;
  FakeUserInterface ui_;
  DeviceOperations ops_;
  TempDir pc_{"zq-uninstall-dlg"};
};

TEST_F(UninstallDlgTest, ListsTheNamesSortedUnderTheModesCaption) {
  CUninstallDlg uninstall({"ZETA.ZXE", "ALPHA.FXE", "BETA.ZXE"}, ProgramAction::Uninstall, ops_,
                          pc_.Path());
  EXPECT_EQ(uninstall.windowTitle().toStdString(), "uninstall");
  EXPECT_EQ(Rows(uninstall), (std::vector<std::string>{"ALPHA.FXE", "BETA.ZXE", "ZETA.ZXE"}));

  // Sorted as a list box sorts: case does not decide before the letters.
  CUninstallDlg mixed({"Zeta.ZXE", "game.zxe", "ALPHA.FXE", "beta.zxe"}, ProgramAction::Uninstall,
                      ops_, pc_.Path());
  EXPECT_EQ(Rows(mixed),
            (std::vector<std::string>{"ALPHA.FXE", "beta.zxe", "game.zxe", "Zeta.ZXE"}));

  CUninstallDlg backup({}, ProgramAction::BackUp, ops_, pc_.Path());
  EXPECT_EQ(backup.windowTitle().toStdString(), "backup");
  EXPECT_EQ(backup.List()->count(), 0);
}

TEST_F(UninstallDlgTest, StaysOpenUntilTheUninstallSucceeded) {
  CUninstallDlg dialog({"BETA.ZXE"}, ProgramAction::Uninstall, ops_, pc_.Path());
  dialog.show();

  dialog.accept();  // nothing selected
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"please select an application to uninstall"});

  dialog.List()->item(0)->setSelected(true);
  ui_.ScriptAnswer(Answer::No);
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.List()->item(0)->isSelected());
  EXPECT_TRUE(std::filesystem::exists(console_.CardDir() / "GAME" / "BETA.ZXE"));

  ui_.ScriptAnswer(Answer::Yes);
  dialog.accept();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(std::filesystem::exists(console_.CardDir() / "GAME" / "BETA.ZXE"));
  EXPECT_FALSE(std::filesystem::exists(console_.CardDir() / "GAME" / "BETA"));
}

TEST_F(UninstallDlgTest, BackUpWithNothingSelectedStaysOpen) {
  CUninstallDlg dialog({}, ProgramAction::BackUp, ops_, pc_.Path());
  dialog.show();
  dialog.accept();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(ui_.Messages(), std::vector<std::string>{"please select an application to back up"});
}

}  // namespace
}  // namespace zq::test
