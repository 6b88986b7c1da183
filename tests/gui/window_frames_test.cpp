// How the windows and dialogs open: inside the screen, with a dialog's frame,
// and what the About box tells.
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <functional>

#include "app/about_box.h"
#include "app/mode_dialog.h"
#include "app/progress_window.h"
#include "app/qt_user_interface.h"
#include "app/screen_fit.h"
#include "mp3/ui/cmp3_basket_dlg.h"
#include "window_fixture.h"

namespace zq::test {
namespace {

bool HasDialogFrameOnly(const QWidget& window) {
  const Qt::WindowFlags flags = window.windowFlags();
  return flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowTitleHint) &&
         !flags.testFlag(Qt::WindowMinimizeButtonHint) &&
         !flags.testFlag(Qt::WindowMaximizeButtonHint);
}

using WindowFramesTest = WindowFixture;

// The offscreen screen is 800 x 600: the frame (900 x 600) and the basket
// (760 x 660) ask for more than it has, as they do at a scale factor of 2 on
// a 1600 x 1000 screen.
TEST_F(WindowFramesTest, EveryWindowOpensInsideTheScreensAvailableArea) {
  ASSERT_TRUE(Start());
  CMp3BasketDlg basket(ui, settings, operations, "/prog/", 1 << 20, "zq:\\mp3\\", frame.get());
  basket.show();
  QApplication::processEvents();
  for (const QWidget* window :
       {static_cast<const QWidget*>(frame.get()), static_cast<const QWidget*>(&basket)}) {
    SCOPED_TRACE(window->windowTitle().toStdString());
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->geometry()))
        << window->geometry().width() << "x" << window->geometry().height();
  }
}

TEST(ScreenFitTest, AWindowShrinksAndMovesInButNotBelowItsMinimum) {
  const QRect area(0, 0, 800, 600);
  const QMargins frame(8, 32, 8, 8);
  struct Case {
    QPoint at;
    QSize size, minimum;
    QRect expected;
  } cases[] = {
      {{8, 32}, {400, 300}, {0, 0}, {8, 32, 400, 300}},        // fits: unchanged
      {{8, 32}, {1800, 1200}, {0, 0}, {8, 32, 784, 560}},      // too large: the area less the frame
      {{700, 500}, {400, 300}, {0, 0}, {392, 292, 400, 300}},  // moved in from the edges
      {{8, 32}, {900, 700}, {820, 0}, {8, 32, 820, 560}},      // never below the minimum
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitIntoArea(c.at, c.size, c.minimum, frame, area), c.expected);
  }
}

TEST(DialogFramesTest, DialogsAndMessageBoxesHaveNoMinimiseOrMaximiseButton) {
  ModeFlag flag;
  ModeDialog mode(flag);
  EXPECT_TRUE(HasDialogFrameOnly(mode));
  AboutBox about;
  EXPECT_TRUE(HasDialogFrameOnly(about));

  ProgressWindow progress;
  QtUserInterface ui(progress);
  bool framed = false;
  QTimer::singleShot(0, [&framed] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      framed = HasDialogFrameOnly(*box);
      box->done(QMessageBox::Ok);
    }
  });
  ui.ShowMessage("completed");
  EXPECT_TRUE(framed);
}

TEST(DialogFramesTest, TheAboutBoxTellsCopyrightLicenceAndNoWarranty) {
  AboutBox about;
  std::string texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) {
    texts += label->text().toStdString() + "\n";
  }
  for (const char* part :
       {"ZQ61 PC-Link Host ver.1.3", "Copyright", "GPL-3.0-or-later", "NO WARRANTY"}) {
    EXPECT_NE(texts.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(about.windowTitle().toStdString(), "ZQ61 PC-Link Host information");
}

TEST_F(WindowFramesTest, TheGenreListOpensAtAUsualHeightWithAScrollBar) {
  ASSERT_TRUE(Start());
  CMp3BasketDlg basket(ui, settings, operations, "/prog/", 1 << 20, "zq:\\mp3\\", frame.get());
  basket.show();
  QApplication::processEvents();
  QComboBox* genre = basket.GenreBox();
  genre->showPopup();
  QApplication::processEvents();
  const QWidget* popup = genre->view()->window();
  EXPECT_LT(popup->height(), genre->view()->sizeHintForRow(0) * 20);
  EXPECT_TRUE(genre->view()->verticalScrollBar()->isVisible());
  genre->hidePopup();
}

}  // namespace
}  // namespace zq::test
