#include <QHeaderView>

#include <QEnterEvent>
#include <QStyle>

#include "app/logo_button.h"
#include "app/rules/startup_steps.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

class StartupTest : public WindowFixture {};

TEST_F(StartupTest, WithTheConsoleBothViewsGetReady) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(frame->IsConnected());
  EXPECT_EQ(frame->windowTitle().toStdString(), "ZQ61 PC-Link Host 1.3");
  ASSERT_EQ(Model().columnCount(), 4);
  const char* headings[] = {"Name", "Size", "Type", "Modified"};
  for (int column = 0; column < 4; ++column) {
    EXPECT_EQ(Model().headerData(column, Qt::Horizontal).toString().toStdString(),
              headings[column]);
  }
  EXPECT_EQ(List().GetListStyle(), CZQ61View::kDetails);
  EXPECT_TRUE(frame->Action(CMainFrame::kDetails)->isChecked());
  EXPECT_FALSE(frame->Action(CMainFrame::kList)->isChecked());
  // The two roots, collapsed; the list has columns but no rows yet.
  ASSERT_EQ(Tree().topLevelItemCount(), 2);
  EXPECT_EQ(Tree().topLevelItem(0)->text(0).toStdString(), "ZQ61");
  EXPECT_FALSE(Tree().topLevelItem(0)->isExpanded());
  EXPECT_EQ(Model().rowCount(), 0);
  EXPECT_TRUE(List().CurrentPath().empty());
  EXPECT_EQ(settings.GetString("PATH", "ZPK"), "/prog/zpk");
  EXPECT_EQ(settings.GetString("version", "version"), "0090");
}

TEST_F(StartupTest, ThePromptComesFirstAndTheDiskTextFollows) {
  settings.SetInt("zq Mode", "flag", 1);
  frame = std::make_unique<CMainFrame>(ui, operations, settings);
  ASSERT_TRUE(frame->InitialUpdate("/prog/"));
  ASSERT_FALSE(ui.Calls().empty());
  EXPECT_EQ(ui.Calls().front().kind, "message");
  EXPECT_EQ(ui.Calls().front().text, std::string(kConnectPrompt));
  EXPECT_EQ(ui.Calls().front().buttons, Buttons::Ok);
  EXPECT_FALSE(ui.DiskText().empty());
}

TEST_F(StartupTest, ANonEmptyPackageFolderIsLeftAlone) {
  settings.SetString("PATH", "ZPK", "/my/own/zpk");
  ASSERT_TRUE(Start());
  EXPECT_EQ(settings.GetString("PATH", "ZPK"), "/my/own/zpk");
  EXPECT_EQ(settings.GetString("version", "version"), "0090");
}

TEST(StartupWithoutConsole, CardNodeGrayedAndNothingWritten) {
  std::unique_ptr<LinkSession> link;
  {
    EmulatedConsole gone;
    link = gone.MakeSession();
  }
  WindowUi ui;
  DeviceOperations operations(*link, ui);
  MemorySettings settings;
  CMainFrame frame(ui, operations, settings);
  ui.frame = &frame;
  EXPECT_FALSE(frame.InitialUpdate("/prog/"));
  EXPECT_FALSE(frame.IsConnected());
  ASSERT_EQ(ui.Messages().size(), 2U);
  EXPECT_EQ(ui.Messages()[0], std::string(kConnectPrompt));
  EXPECT_EQ(ui.Messages()[1], "failed to open USB port");
  // The PC's side is ready; the card's node waits, grayed, for a console.
  EXPECT_EQ(frame.List()->Model()->columnCount(), 4);
  ASSERT_EQ(frame.Tree()->topLevelItemCount(), 2);
  EXPECT_TRUE(frame.Tree()->ConsoleNode()->isDisabled());
  EXPECT_FALSE(settings.Has("PATH", "ZPK"));
  EXPECT_FALSE(settings.Has("version", "version"));

  // Every command stays enabled; those that need a shown folder do nothing.
  for (int id : {CMainFrame::kMoveUp, CMainFrame::kRefresh, CMainFrame::kPaste,
                 CMainFrame::kNewFolder, CMainFrame::kFormat}) {
    EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;
  }
  ui.ClearLog();
  frame.Action(CMainFrame::kMoveUp)->trigger();
  frame.Action(CMainFrame::kRefresh)->trigger();
  frame.Action(CMainFrame::kPaste)->trigger();
  frame.Action(CMainFrame::kNewFolder)->trigger();
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(frame.List()->Model()->rowCount(), 0);
}

TEST_F(StartupTest, TheModeFlagIsWrittenBackUnchangedAtClose) {
  ASSERT_TRUE(Start(5));
  EXPECT_TRUE(frame->Mode().IsZqMode());
  settings.SetInt("zq Mode", "flag", 0);
  frame->Activate();  // only the first activation reads
  frame->close();
  EXPECT_EQ(settings.GetInt("zq Mode", "flag", -1), 5);
}

}  // namespace
}  // namespace zq::test

namespace zq::test {
namespace {

TEST_F(StartupTest, TheLogoHidesWhileTheToolbarReachesItAndShowsAgain) {
  ASSERT_TRUE(Start());
  CLogoButton* logo = frame->Logo();
  ASSERT_NE(logo, nullptr);
  frame->resize(1000, 600);
  QApplication::processEvents();
  logo->Reposition();
  EXPECT_TRUE(logo->isVisible());
  EXPECT_EQ(logo->geometry().right(),
            frame->width() - 1 - logo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
  frame->resize(450, 600);
  QApplication::processEvents();
  logo->Reposition();
  EXPECT_FALSE(logo->isVisible());
  frame->resize(1000, 600);
  QApplication::processEvents();
  logo->Reposition();
  EXPECT_TRUE(logo->isVisible());
}

TEST_F(StartupTest, TheLogoSaysItsNameInTheStatusBar) {
  ASSERT_TRUE(Start());
  QString shown;
  QObject::connect(frame->Logo(), &CLogoButton::statusText,
                   [&](const QString& text) { shown = text; });
  QEvent leave(QEvent::Leave);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(frame->Logo(), &enter);
  EXPECT_EQ(shown.toStdString(), "ZQ61");
  QCoreApplication::sendEvent(frame->Logo(), &leave);
  EXPECT_TRUE(shown.isEmpty());
  EXPECT_EQ(frame->Logo()->toolTip().toStdString(), "ZQ61");
}

}  // namespace
}  // namespace zq::test
