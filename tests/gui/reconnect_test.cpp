// The window without a console, and a console that comes, goes and comes back.
#include <QElapsedTimer>
#include <QLabel>

#include "app/console_watcher.h"
#include "app/rules/startup_steps.h"
#include "emulator/console.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

class ReconnectTest : public WindowFixture {
 protected:
  ConsoleWatcher& Watcher() {
    if (!watcher) {
      watcher = std::make_unique<ConsoleWatcher>(
          *frame, *link, ConsolePresence(TransportChoice::kDirectory, console.DeviceDir()));
    }
    return *watcher;
  }
  std::string State() const { return frame->StatePane()->text().toStdString(); }
  std::string Disk() const { return frame->DiskPane()->text().toStdString(); }
  bool ConsoleNodeGrayed() const { return frame->Tree()->ConsoleNode()->isDisabled(); }

  // Gone while idle: noticed at the next look, without a box.
  void ExpectLost() {
    ui.ClearLog();
    Watcher().Check();
    EXPECT_FALSE(frame->IsConnected());
    EXPECT_EQ(State(), "not connected to ZQ61");
    EXPECT_EQ(Disk(), "");
    EXPECT_TRUE(ConsoleNodeGrayed());
    EXPECT_TRUE(Boxes().empty());
  }
  void ExpectFound() {
    ui.ClearLog();
    Watcher().Check();
    EXPECT_TRUE(frame->IsConnected());
    EXPECT_TRUE(link->IsConnected());
    EXPECT_EQ(State(), "ready");
    EXPECT_EQ(ui.DiskText().rfind("total size:16384KB  used size:", 0), 0U) << ui.DiskText();
    EXPECT_FALSE(ConsoleNodeGrayed());
    EXPECT_TRUE(Boxes().empty());
  }

  std::unique_ptr<ConsoleWatcher> watcher;
};

TEST_F(ReconnectTest, WithoutAConsoleThePcSideWorksAndTheConsoleIsTakenWhenItComes) {
  console.Unplug();
  EXPECT_FALSE(Start());
  // After start-up's own two boxes (below), a window whose PC side works.
  EXPECT_EQ(Model().columnCount(), 4);
  ASSERT_EQ(Tree().topLevelItemCount(), 2);
  EXPECT_TRUE(ConsoleNodeGrayed());
  EXPECT_EQ(State(), "not connected to ZQ61");
  EXPECT_FALSE(settings.Has("version", "version"));
  List().NavigateTo(PcFolder());
  EXPECT_TRUE(Contains(Names(), "docs"));
  Tree().ExpandNode(Tree().ConsoleNode());  // nothing to read, nothing said
  EXPECT_EQ(Tree().ConsoleNode()->childCount(), 0);

  Watcher().Check();  // still none: nothing happens
  EXPECT_FALSE(frame->IsConnected());
  console.Plug();
  ExpectFound();
  EXPECT_EQ(settings.GetString("version", "version"), "0090");
  EXPECT_EQ(settings.GetString("PATH", "ZPK"), "/prog/zpk");
  EXPECT_EQ(List().CurrentPath(), PcFolder());  // the PC folder stays shown
  Tree().ExpandNode(Tree().ConsoleNode());
  EXPECT_TRUE(Contains(ChildTexts(Tree().ConsoleNode()), "MP3"));
}

TEST_F(ReconnectTest, StartUpWithoutAConsoleKeepsItsTwoBoxes) {
  console.Unplug();
  frame = std::make_unique<CMainFrame>(ui, operations, settings);
  EXPECT_FALSE(frame->InitialUpdate("/prog/"));
  EXPECT_EQ(ui.Messages(),
            (std::vector<std::string>{std::string(kConnectPrompt), "failed to open USB port"}));
}

TEST_F(ReconnectTest, GoneWhileIdleIsShownAndTheFolderComesBackWithTheConsole) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\MP3\\");
  ASSERT_TRUE(Contains(Names(), "ONE.MP3"));
  Watcher().Check();  // connected and there: nothing changes
  EXPECT_TRUE(frame->IsConnected());

  console.Unplug();
  ExpectLost();
  EXPECT_EQ(Model().rowCount(), 0);
  EXPECT_EQ(List().CurrentPath(), "zq:\\MP3\\");
  // What runs meanwhile fails as it always did.
  List().OnRefresh();
  EXPECT_EQ(ui.Messages(), std::vector<std::string>{"unknown error occurred"});

  console.Plug();
  ExpectFound();
  EXPECT_EQ(List().CurrentPath(), "zq:\\MP3\\");
  EXPECT_TRUE(Contains(Names(), "ONE.MP3"));
}

TEST_F(ReconnectTest, AFolderGoneMeanwhileGivesTheCardsRoot) {
  ASSERT_TRUE(Start());
  List().NavigateTo("zq:\\DOCS\\DEEP\\");
  console.Unplug();
  ExpectLost();
  std::filesystem::remove_all(console.CardDir() / "DOCS" / "DEEP");
  console.Plug();
  ui.ClearLog();
  Watcher().Check();
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(List().CurrentPath(), "zq:\\");
  EXPECT_TRUE(Contains(Names(), "DOCS"));
}

TEST_F(ReconnectTest, AfterATimeOutTheConsoleIsTakenAgainOnceItAnswers) {
  ASSERT_TRUE(Start());
  console.Console().AddFault(emu::Fault::NoReply(0x20, 0));
  link->SetTiming(LinkTiming{std::chrono::milliseconds(50)});
  operations.ShowDiskInfo();
  link->SetTiming(LinkTiming{EmulatedConsole::kRoomySecond});
  EXPECT_EQ(ui.Messages().back(), "timed out");
  ExpectLost();
  ExpectFound();  // the console answers the next connection
}

TEST_F(ReconnectTest, TheTicksConnectWithinTwoSecondsOfTheConsoleComing) {
  console.Unplug();
  Start();
  Watcher().Start();
  console.Plug();
  QElapsedTimer clock;
  clock.start();
  while (!frame->IsConnected() && clock.elapsed() < 5000) {
    QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  EXPECT_TRUE(frame->IsConnected());
  EXPECT_LT(clock.elapsed(), 2000);
}

}  // namespace
}  // namespace zq::test
