// An event handler that runs out of memory shows "unknown error occurred"
// and the program goes on with the next event.
#include "app/guarded_application.h"

#include <gtest/gtest.h>

#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <new>

namespace zq {
namespace {

class HungryObject : public QObject {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) {
      throw std::bad_alloc();
    }
    return QObject::event(e);
  }
};

TEST(GuardedApplicationTest, AnEventThatRunsOutOfMemoryShowsTheMessageAndTheProgramGoesOn) {
  auto* app = dynamic_cast<GuardedApplication*>(QCoreApplication::instance());
  ASSERT_NE(app, nullptr);
  const int before = app->OutOfMemoryEvents();
  QString shown;
  // The message box is modal: read and close it from inside its own loop.
  QTimer::singleShot(0, [&shown] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      shown = box->text();
      box->close();
    }
  });
  HungryObject object;
  QEvent hungry(QEvent::User);
  EXPECT_FALSE(QCoreApplication::sendEvent(&object, &hungry));
  EXPECT_EQ(app->OutOfMemoryEvents(), before + 1);
  EXPECT_EQ(shown, "unknown error occurred");
  // The next event is handled as usual.
  QEvent other(QEvent::DynamicPropertyChange);
  EXPECT_NO_THROW(QCoreApplication::sendEvent(&object, &other));
}

}  // namespace
}  // namespace zq
