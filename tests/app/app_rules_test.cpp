#include <gtest/gtest.h>

#include "app/rules/mode_flag.h"
#include "app/rules/startup_steps.h"
#include "support/emulated_console.h"
#include "support/fake_user_interface.h"
#include "support/memory_settings.h"

namespace zq {
namespace {

using test::MemorySettings;

TEST(StartupSteps, ProgramFolderKeepsItsLastSeparator) {
  EXPECT_EQ(ProgramFolderFromModulePath("C:\\Tools\\zq61.exe"), "C:\\Tools\\");
  EXPECT_EQ(ProgramFolderFromModulePath("/opt/zq61/bin/zq61"), "/opt/zq61/bin/");
  EXPECT_EQ(ProgramFolderFromModulePath("zq61"), "");
  EXPECT_EQ(WithTrailingSeparator("/home/me/.local/share/ZQ61", '/'),
            "/home/me/.local/share/ZQ61/");
  EXPECT_EQ(WithTrailingSeparator("/x/", '/'), "/x/");
  EXPECT_EQ(WithTrailingSeparator("", '/'), "");
}

TEST(StartupSteps, SettingsWrittenOnceAndAUserValueKept) {
  MemorySettings settings;
  WriteStartupSettings(settings, "C:\\Tools\\");
  EXPECT_EQ(settings.GetString("PATH", "ZPK"), "C:\\Tools\\zpk");
  EXPECT_EQ(settings.GetString("version", "version"), "0090");

  settings.SetString("PATH", "ZPK", "/mine/packages");
  settings.SetString("version", "version", "0001");
  WriteStartupSettings(settings, "/other/");
  EXPECT_EQ(settings.GetString("PATH", "ZPK"), "/mine/packages");
  EXPECT_EQ(settings.GetString("version", "version"), "0090");
}

TEST(StartupSteps, ConnectAtStartupWithTheConsole) {
  test::EmulatedConsole console;
  auto link = console.MakeSession();
  test::FakeUserInterface ui;
  DeviceOperations operations(*link, ui);
  MemorySettings settings;
  ASSERT_TRUE(ConnectAtStartup(ui, operations, settings, "/prog/"));
  ASSERT_FALSE(ui.Messages().empty());
  EXPECT_EQ(ui.Messages().front(), std::string(kConnectPrompt));
  EXPECT_EQ(ui.Calls().front().buttons, Buttons::Ok);
  EXPECT_FALSE(ui.DiskText().empty());
  EXPECT_EQ(settings.GetString("PATH", "ZPK"), "/prog/zpk");
  EXPECT_EQ(settings.GetString("version", "version"), "0090");
}

TEST(StartupSteps, AFailedConnectWritesNothing) {
  std::unique_ptr<LinkSession> link;
  {
    test::EmulatedConsole gone;
    link = gone.MakeSession();
  }
  test::FakeUserInterface ui;
  DeviceOperations operations(*link, ui);
  MemorySettings settings;
  EXPECT_FALSE(ConnectAtStartup(ui, operations, settings, "/prog/"));
  ASSERT_EQ(ui.Messages().size(), 2U);
  EXPECT_EQ(ui.Messages()[0], std::string(kConnectPrompt));
  EXPECT_EQ(ui.Messages()[1], "failed to open USB port");
  EXPECT_TRUE(settings.All().empty());
}

TEST(ModeFlag, ReadAtFirstActivationOnlyAndWrittenBackUnchanged) {
  MemorySettings settings;
  ModeFlag flag;
  flag.OnActivate(settings);
  EXPECT_TRUE(flag.IsZqMode());  // a clean start is in ZQ mode
  flag.OnClose(settings);
  EXPECT_EQ(settings.GetInt("zq Mode", "flag", -1), 1);

  settings.SetInt("zq Mode", "flag", 5);
  ModeFlag five;
  five.OnActivate(settings);
  settings.SetInt("zq Mode", "flag", 0);
  five.OnActivate(settings);  // later activations do not read
  EXPECT_EQ(five.Value(), 5);
  five.OnClose(settings);
  EXPECT_EQ(settings.GetInt("zq Mode", "flag", -1), 5);
}

TEST(ModeFlag, DialogSelectionAndTheRefreshRule) {
  MemorySettings settings;
  settings.SetInt("zq Mode", "flag", 5);
  ModeFlag flag;
  flag.OnActivate(settings);
  ModeSelection selection(flag);
  EXPECT_EQ(selection.Selection(), 1);
  selection.ChooseNormalMode();
  EXPECT_EQ(flag.Value(), 5);  // nothing changes before OK
  selection.ApplyOk(flag);
  EXPECT_EQ(flag.Value(), 0);
  ModeSelection again(flag);
  again.ChooseZqMode();
  again.ApplyOk(flag);
  EXPECT_EQ(flag.Value(), 1);

  EXPECT_TRUE(RefreshAfterModeDialog(true, "zq:\\game\\race\\"));
  EXPECT_TRUE(RefreshAfterModeDialog(true, "ZQ:\\"));
  EXPECT_FALSE(RefreshAfterModeDialog(false, "zq:\\game\\race\\"));
  EXPECT_FALSE(RefreshAfterModeDialog(true, "/home/me/"));
  EXPECT_FALSE(RefreshAfterModeDialog(true, ""));
}

}  // namespace
}  // namespace zq
