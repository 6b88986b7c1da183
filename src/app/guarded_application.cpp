#include "app/guarded_application.h"

#include <QMessageBox>
#include <new>

#include "app/screen_fit.h"
#include "operations/operation_texts.h"
#include "operations/user_interface.h"

namespace zq {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // Every window of the program opens inside its screen's available area.
  installEventFilter(new ScreenFit(this));
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    ++outOfMemory_;
  }
  // Outside the handler: its buffers are gone, so the box has room again.
  try {
    QMessageBox::critical(nullptr, QString::fromUtf8(kAppTitle),
                          QString::fromUtf8(text::kUnknownError));
  } catch (const std::bad_alloc&) {
    // Not even the box fits: the event is dropped all the same.
  }
  return false;
}

}  // namespace zq
