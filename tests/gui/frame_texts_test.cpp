#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <functional>

#include "app/logo_button.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

class FrameTextsTest : public WindowFixture {
 protected:
  // A menu as text: each item, "-" for a separator, a sub-menu as
  // "title>" followed by its items and "<".
  static std::vector<std::string> Items(const QMenu* menu) {
    std::vector<std::string> items;
    for (const QAction* action : menu->actions()) {
      if (action->isSeparator()) {
        items.push_back("-");
      } else if (action->menu() != nullptr) {
        items.push_back(action->text().toStdString() + ">");
        for (auto& item : Items(action->menu())) {
          items.push_back(item);
        }
        items.push_back("<");
      } else {
        items.push_back(action->text().toStdString());
      }
    }
    return items;
  }

  // Waits, handling events, until `done` holds or a generous time passed.
  static bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000) {
      QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
  }
};

TEST_F(FrameTextsTest, MenusItemsAndTitles) {
  ASSERT_TRUE(Start());
  const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
      {"&File",
       {"&New Folder", "&Delete", "&Format", "-", "&Install", "&Uninstall", "&Back Up", "&Patch",
        "-", "P&roperties", "-", "&Close"}},
      {"&Edit", {"&Copy", "&Paste"}},
      {"&View",
       {"&Toolbars", "Status &Bar", "-", "Lar&ge Icons", "S&mall Icons", "&List", "&Details", "-",
        "Arrange &Icons>", "by &Name", "by &Type", "by Si&ze", "by &Date", "<", "-", "&Refresh"}},
      {"&Configuration", {"&Mode"}},
      {"&ZQ61 Specific", {"&MP3 Basket"}},
      {"&Help", {"&About ZQ61 PC-Link Host"}},
  };
  const auto titles = frame->menuBar()->actions();
  ASSERT_EQ(titles.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const QAction* title = titles.at(static_cast<qsizetype>(i));
    EXPECT_EQ(title->text().toStdString(), expected[i].first);
    ASSERT_NE(title->menu(), nullptr);
    EXPECT_EQ(Items(title->menu()), expected[i].second) << expected[i].first;
  }
  EXPECT_EQ(Items(frame->ViewDropDownMenu()),
            (std::vector<std::string>{"Lar&ge Icons", "S&mall Icons", "&List", "&Details"}));
}

TEST_F(FrameTextsTest, ToolbarButtonsInOrder) {
  ASSERT_TRUE(Start());
  std::vector<std::string> texts;
  for (const QAction* action : frame->ToolBar()->actions()) {
    texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"move up", "-", "copy", "paste", "-", "delete",
                                             "refresh", "view", "new"}));
  EXPECT_EQ(frame->ToolBar()->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  EXPECT_EQ(frame->ToolBar()->iconSize(), QSize(20, 20));
}

// The status-bar prompt of each command is the part before the line break,
// its tool tip the part after (the whole text when there is none).
TEST_F(FrameTextsTest, CommandPromptsAndToolTips) {
  const struct {
    int id;
    const char* prompt;
    const char* tip;
  } cases[] = {
      {CMainFrame::kNewFolder, "create empty folder", "create folder"},
      {CMainFrame::kDelete, "delete file or folder", "delete"},
      {CMainFrame::kProperties, "show information", "show info"},
      {CMainFrame::kCopy, "copy selected item into clipboard", "copy"},
      {CMainFrame::kMp3Basket, "execute MP3 basket", "execute MP3 basket"},
      {CMainFrame::kAbout, "show application information", "show info"},
      {CMainFrame::kClose, "terminate application", "exit"},
      {CMainFrame::kToolbars, "show or hide toolbar", "show/hide toolbar"},
      {CMainFrame::kStatusBar, "show or hide statusbar", "show/hide statusbar"},
  };
  ASSERT_TRUE(Start());
  for (const auto& c : cases) {
    const QAction* action = frame->Action(c.id);
    ASSERT_NE(action, nullptr) << c.id;
    EXPECT_EQ(action->statusTip().toStdString(), c.prompt) << c.id;
    EXPECT_EQ(action->toolTip().toStdString(), c.tip) << c.id;
  }
}

TEST_F(FrameTextsTest, StatusBarPanes) {
  ASSERT_TRUE(Start());
  std::vector<std::string> panes;
  for (const QLabel* label : frame->statusBar()->findChildren<QLabel*>()) {
    if (label == frame->DiskPane()) {
      panes.push_back("<disk>");
    } else if (!label->text().isEmpty()) {
      panes.push_back(label->text().toStdString());
    }
  }
  EXPECT_EQ(panes, (std::vector<std::string>{"ready", "<disk>", "CAP", "NUM", "SCRL"}));
}

// Hiding a bar by any way, Qt's own toggle of the tool bar area included,
// moves the check mark of its View item; the items hide and show the bars.
TEST_F(FrameTextsTest, BarItemsFollowTheBarsRealVisibility) {
  ASSERT_TRUE(Start());
  QAction* toolbars = frame->Action(CMainFrame::kToolbars);
  QAction* statusItem = frame->Action(CMainFrame::kStatusBar);
  frame->ToolBar()->toggleViewAction()->trigger();
  EXPECT_TRUE(frame->ToolBar()->isHidden());
  EXPECT_FALSE(toolbars->isChecked());
  frame->ToolBar()->toggleViewAction()->trigger();
  EXPECT_TRUE(toolbars->isChecked());
  frame->statusBar()->hide();
  EXPECT_FALSE(statusItem->isChecked());
  frame->statusBar()->show();
  EXPECT_TRUE(statusItem->isChecked());

  toolbars->trigger();
  EXPECT_TRUE(frame->ToolBar()->isHidden());
  EXPECT_FALSE(toolbars->isChecked());
  statusItem->trigger();
  EXPECT_TRUE(frame->statusBar()->isHidden());
  toolbars->trigger();
  statusItem->trigger();
  EXPECT_FALSE(frame->ToolBar()->isHidden());
  EXPECT_FALSE(frame->statusBar()->isHidden());
  EXPECT_TRUE(toolbars->isChecked() && statusItem->isChecked());
}

// Before any tick of its timer the logo already stands at the right end of
// the toolbar row, not over the menu bar, and the status bar says "ready".
TEST_F(FrameTextsTest, TheLogoIsPlacedBeforeTheFirstPaint) {
  frame = std::make_unique<CMainFrame>(ui, operations, settings);
  frame->resize(1000, 600);
  frame->show();
  const CLogoButton* logo = frame->Logo();
  EXPECT_EQ(logo->geometry().right(),
            frame->width() - 1 - logo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
  EXPECT_EQ(logo->y(), frame->ToolBar()->y());
  EXPECT_TRUE(logo->isVisible());
  QApplication::processEvents();
  EXPECT_TRUE(frame->statusBar()->currentMessage().isEmpty());
}

// The timer alone hides the logo when the toolbar reaches it and shows it
// again when the window widens.
TEST_F(FrameTextsTest, TheLogosTimerHidesAndShowsIt) {
  ASSERT_TRUE(Start());
  CLogoButton* logo = frame->Logo();
  frame->resize(1000, 600);
  EXPECT_TRUE(WaitFor([&] { return logo->isVisible(); }));
  frame->resize(450, 600);
  EXPECT_TRUE(WaitFor([&] { return !logo->isVisible(); }));
  frame->resize(1000, 600);
  EXPECT_TRUE(WaitFor([&] {
    return logo->isVisible() &&
           logo->geometry().right() ==
               frame->width() - 1 - logo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  }));
}

}  // namespace
}  // namespace zq::test
