// Files dropped from the file manager onto the list: copied into the folder
// shown, as Paste copies. The list's own rows are not taken back.
#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QListView>
#include <QMimeData>
#include <QTimer>
#include <QTreeView>

#include "views/czq61_view.h"
#include "views/desktop_files.h"

namespace zq {

namespace {

// A drag the list takes: local files from outside, not its own rows.
bool TakesDrop(const QMimeData* data) {
  return data != nullptr && !IsListRowsDrag(data) && !LocalFilesOf(data).empty();
}

}  // namespace

void CZQ61View::PrepareDesktopExchange() {
  for (QAbstractItemView* view :
       {static_cast<QAbstractItemView*>(details_), static_cast<QAbstractItemView*>(icons_)}) {
    view->setAcceptDrops(true);
    view->viewport()->setAcceptDrops(true);
    view->viewport()->installEventFilter(this);
  }
  // Any change of the clipboard not made by Copy here makes its content the
  // newer one, which Paste then prefers to CopyList.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
    if (!settingClipboard_) {
      clipboardNewer_ = true;
    }
  });
}

void CZQ61View::CopyDesktopFilesLater(const std::vector<std::string>& pcPaths,
                                      const std::string& target) {
  QTimer::singleShot(0, this, [this, pcPaths, target] { CopyDesktopFiles(pcPaths, target); });
}

bool CZQ61View::HandleDesktopDrop(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if ((type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) ||
      (watched != details_->viewport() && watched != icons_->viewport())) {
    return false;
  }
  auto* drop = static_cast<QDropEvent*>(event);
  if (currentPath_.empty() || !TakesDrop(drop->mimeData())) {
    drop->ignore();
    return true;
  }
  // Always a copy: the file manager must never remove its files after a drop.
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (type == QEvent::Drop) {
    CopyDesktopFilesLater(LocalFilesOf(drop->mimeData()), currentPath_);
  }
  return true;
}

}  // namespace zq
