#include "app/qt_user_interface.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QPushButton>
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

// What a box shows: its icon, default button and informative text.
struct BoxSeen {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  std::string detail;
};

void NoteAndPressEnter(BoxSeen& seen) {
  QTimer::singleShot(0, [&seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      return;
    }
    seen.icon = box->icon();
    seen.defaultButton = box->standardButton(box->defaultButton());
    seen.detail = box->informativeText().toStdString();
    box->done(box->defaultButton() != nullptr ? box->standardButton(box->defaultButton())
                                              : QMessageBox::Ok);
  });
}

// Enter on a question that would erase data answers Cancel; every box has
// its standard icon.
TEST(QtUserInterfaceTest, DangerousQuestionsDefaultToCancelAndBoxesCarryTheirIcon) {
  ProgressWindow progress;
  QtUserInterface ui(progress);
  const struct {
    const char* what;
    std::function<void()> show;
    QMessageBox::Icon icon;
    QMessageBox::StandardButton defaultButton;
    const char* detail;
  } cases[] = {
      {"remove",
       [&] {
         EXPECT_EQ(
             ui.AskBeforeDestroying("do you want to remove?", "2 items will be removed: A, B"),
             Answer::Cancel);
       },
       QMessageBox::Warning, QMessageBox::Cancel, "2 items will be removed: A, B"},
      {"question", [&] { ui.Ask("progress anyway?", Buttons::YesNo); }, QMessageBox::Question,
       QMessageBox::NoButton, ""},
      {"message", [&] { ui.ShowMessage("completed"); }, QMessageBox::Information,
       QMessageBox::NoButton, ""},
      {"stop", [&] { ui.ShowMessage("failed", MessageIcon::Stop); }, QMessageBox::Critical,
       QMessageBox::NoButton, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    BoxSeen seen;
    NoteAndPressEnter(seen);
    c.show();
    EXPECT_EQ(seen.icon, c.icon);
    if (c.defaultButton != QMessageBox::NoButton) {
      EXPECT_EQ(seen.defaultButton, c.defaultButton);
    }
    EXPECT_EQ(seen.detail, c.detail);
  }
}

}  // namespace
}  // namespace zq::test
