#pragma once

#include <QApplication>

namespace zq {

// The program's QApplication: an event whose handling runs out of memory ends
// in the message of a failure that no family names ("unknown error
// occurred") instead of ending the program. What the handler had built is
// released on the way out; the window goes on.
class GuardedApplication : public QApplication {
 public:
  GuardedApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;

  // How many events ran out of memory so far.
  int OutOfMemoryEvents() const { return outOfMemory_; }

 private:
  int outOfMemory_ = 0;
};

}  // namespace zq
