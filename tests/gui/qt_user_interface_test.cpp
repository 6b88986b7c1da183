#include "app/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "app/progress_window.h"

namespace zq::test {
namespace {

// The application's cursor: the top override, or the arrow without one.
Qt::CursorShape AppCursor() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor == nullptr ? Qt::ArrowCursor : cursor->shape();
}

// Answers the next message box with `button` once it is up, noting the
// cursor the person sees while it is.
void AnswerTheBox(QMessageBox::StandardButton button, Qt::CursorShape& seen) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, button, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return;
    }
    seen = AppCursor();
    box->done(button);
    timer->stop();
    timer->deleteLater();
  });
  timer->start(5);
}

TEST(QtUserInterfaceTest, MessageBoxesShowTheArrowInsideAWaitCursor) {
  ProgressWindow progress;
  QtUserInterface ui(progress);
  ui.BeginWaitCursor();
  ASSERT_EQ(AppCursor(), Qt::WaitCursor);

  struct Case {
    const char* what;
    QMessageBox::StandardButton button;
    std::function<void()> show;
  };
  const Case cases[] = {
      {"message", QMessageBox::Ok, [&] { ui.ShowMessage("timed out"); }},
      {"question", QMessageBox::Yes,
       [&] { EXPECT_EQ(ui.Ask("progress anyway?", Buttons::YesNo), Answer::Yes); }},
  };
  for (const Case& c : cases) {
    Qt::CursorShape seen = Qt::BlankCursor;
    AnswerTheBox(c.button, seen);
    c.show();
    EXPECT_EQ(seen, Qt::ArrowCursor) << c.what;
    EXPECT_EQ(AppCursor(), Qt::WaitCursor) << c.what << ": the wait cursor is back";
  }
  ui.EndWaitCursor();
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  // Without an operation around it nothing is overridden.
  Qt::CursorShape seen = Qt::BlankCursor;
  AnswerTheBox(QMessageBox::Ok, seen);
  ui.ShowMessage("completed");
  EXPECT_EQ(seen, Qt::ArrowCursor);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtUserInterfaceTest, TheHintStandsUnderTheExactMessage) {
  ProgressWindow progress;
  QtUserInterface ui(progress);
  ui.informativeText = [](const std::string& message) {
    return message == "failed to open USB port" ? std::string("plug it in") : std::string();
  };
  std::vector<std::pair<std::string, std::string>> shown;
  for (const char* message : {"failed to open USB port", "timed out"}) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, &shown] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        shown.emplace_back(box->text().toStdString(), box->informativeText().toStdString());
        box->done(QMessageBox::Ok);
        timer->stop();
        timer->deleteLater();
      }
    });
    timer->start(5);
    ui.ShowMessage(message);
  }
  EXPECT_EQ(shown, (std::vector<std::pair<std::string, std::string>>{
                       {"failed to open USB port", "plug it in"}, {"timed out", ""}}));
}

}  // namespace
}  // namespace zq::test
