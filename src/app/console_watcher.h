#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "app/rules/reconnect_schedule.h"
#include "platform/console_presence.h"

class QFileSystemWatcher;
class QTimer;

namespace zq {

class CMainFrame;
class LinkSession;
class UsbHotplugNotice;

// Keeps the window's console: while it holds none, it looks for one at
// every tick, when the device directory changes and when libusb's hot-plug
// notice says a USB device came or went, and connects as soon as one is in
// sight (no key press, no message box); while it holds one, it
// only asks the open pipes, without a packet, whether the console's end is
// still there, and notices a link that a time-out left not connected. A
// look never runs while the person answers a box or an operation runs.
class ConsoleWatcher : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 1000;

  ConsoleWatcher(CMainFrame& frame, LinkSession& link, ConsolePresence presence,
                 QObject* parent = nullptr);
  ~ConsoleWatcher() override;

  // Starts the ticks, the watch on the device directory and the hot-plug
  // notice.
  void Start();
  // One look, as a tick makes it.
  void Check();

  // Whether something runs that a look must not disturb. By default: a
  // modal box or menu, the wait cursor, or an inner event loop (a drag).
  std::function<bool()> busy;
  // After each look that left the window without a console; the question
  // about an unlisted device hangs here.
  std::function<void()> whileWaiting;

 private:
  bool TryConnect();
  void WatchDirectory();

  CMainFrame& frame_;
  LinkSession& link_;
  ConsolePresence presence_;
  ReconnectSchedule schedule_;
  QTimer* timer_;
  QFileSystemWatcher* folderWatch_;
  std::unique_ptr<UsbHotplugNotice> hotplug_;
};

}  // namespace zq
