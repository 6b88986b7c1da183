#include "app/console_watcher.h"

#include <QApplication>
#include <QFileSystemWatcher>
#include <QThread>
#include <QTimer>

#include "app/cmain_frame.h"
#include "link/link_session.h"
#include "platform/usb/usb_hotplug_notice.h"

namespace zq {
namespace {

bool SomethingRuns() {
  return QApplication::activeModalWidget() != nullptr ||
         QApplication::activePopupWidget() != nullptr ||
         QApplication::overrideCursor() != nullptr || QThread::currentThread()->loopLevel() > 1;
}

}  // namespace

ConsoleWatcher::ConsoleWatcher(CMainFrame& frame, LinkSession& link, ConsolePresence presence,
                               QObject* parent)
    : QObject(parent),
      busy(SomethingRuns),
      frame_(frame),
      link_(link),
      presence_(std::move(presence)),
      timer_(new QTimer(this)),
      folderWatch_(new QFileSystemWatcher(this)) {
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, &ConsoleWatcher::Check);
  // A console's interface folder appearing is seen at once; the ticks stay
  // for USB devices and for a folder that cannot be watched.
  connect(folderWatch_, &QFileSystemWatcher::directoryChanged, this, [this] {
    WatchDirectory();
    QTimer::singleShot(100, this, &ConsoleWatcher::Check);
  });
}

ConsoleWatcher::~ConsoleWatcher() = default;

void ConsoleWatcher::Start() {
  WatchDirectory();
  timer_->start();
  if (presence_.SearchesUsb() && !hotplug_) {
    // A device that came or went is looked at once, and the retry delay
    // starts again, so that a console whose last try failed is tried at
    // once when it comes back (its permission may have been mended
    // meanwhile). The notice comes on libusb's thread; the look runs on the
    // window's.
    hotplug_ = std::make_unique<UsbHotplugNotice>([this] {
      QMetaObject::invokeMethod(
          this,
          [this] {
            schedule_.Reset();
            Check();
          },
          Qt::QueuedConnection);
    });
  }
}

void ConsoleWatcher::WatchDirectory() {
  const std::filesystem::path directory = presence_.Directory();
  if (directory.empty()) {
    return;
  }
  // The device directory itself once it exists, else the folder it will
  // appear in.
  std::error_code ec;
  const std::filesystem::path watched =
      std::filesystem::is_directory(directory, ec) ? directory : directory.parent_path();
  const QString path = QString::fromStdString(watched.string());
  if (folderWatch_->directories() != QStringList{path}) {
    if (!folderWatch_->directories().isEmpty()) {
      folderWatch_->removePaths(folderWatch_->directories());
    }
    folderWatch_->addPath(path);
  }
}

bool ConsoleWatcher::TryConnect() {
  // A console in sight that does not answer keeps the window waiting for a
  // fifth of the time-out only.
  const LinkTiming kept = link_.Timing();
  link_.SetTiming(LinkTiming{kept.second / 5});
  link_.Reset();
  const bool connected = link_.Connect() == status::kOk;
  link_.SetTiming(kept);
  if (!connected) {
    link_.Drop();
  }
  return connected;
}

void ConsoleWatcher::Check() {
  if (busy && busy()) {
    return;
  }
  if (frame_.IsConnected()) {
    if (link_.IsConnected() && !link_.ConsoleGone()) {
      return;
    }
    // Gone, or silent since a time-out: let go of the pipes, so that the
    // console serves the next connection when it is back.
    link_.Drop();
    schedule_.Reset();
    frame_.ConsoleLost();
    return;
  }
  const auto now = ReconnectSchedule::Clock::now();
  if (schedule_.ShouldConnect(now, presence_.Present())) {
    if (TryConnect()) {
      schedule_.Reset();
      frame_.ConsoleFound();
      return;
    }
    schedule_.Failed(now);
  }
  if (whileWaiting) {
    whileWaiting();
  }
}

}  // namespace zq
