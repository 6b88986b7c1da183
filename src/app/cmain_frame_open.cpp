// Files the desktop opened with the program, run once the console is there.
#include <QApplication>
#include <QTimer>

#include "app/cmain_frame.h"

namespace zq {

void CMainFrame::OpenWhenConnected(const std::string& path) {
  if (!path.empty()) {
    pendingFiles_.push_back(path);
  }
  RunPendingFiles();
}

void CMainFrame::RunPendingFiles() {
  if (pendingFiles_.empty() || !connected_) {
    return;
  }
  // Later, from the event loop: the window paints first, and a file handed
  // over while a dialog or a transfer runs waits until it has ended.
  QTimer::singleShot(0, this, [this] {
    if (pendingFiles_.empty() || !connected_ || openingFile_) {
      return;
    }
    if (QApplication::activeModalWidget() != nullptr) {
      QTimer::singleShot(250, this, [this] { RunPendingFiles(); });
      return;
    }
    const std::string path = pendingFiles_.front();
    pendingFiles_.pop_front();
    openingFile_ = true;
    if (commands_.onOpenFile) {
      commands_.onOpenFile(path);
    }
    openingFile_ = false;
    RunPendingFiles();
  });
}

void CMainFrame::BringToFront() {
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

}  // namespace zq
