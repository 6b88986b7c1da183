// The list and the desktop's clipboard: Copy also offers the selected PC
// files to the file manager, and Paste takes the file manager's files when
// they are newer than CopyList.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "operations/path_rules.h"
#include "views/czq61_view.h"
#include "views/desktop_files.h"

namespace zq {

void CZQ61View::PutSelectionOnClipboard() {
  if (copyList_.empty() || IsConsolePath(copyList_.front())) {
    return;  // card paths mean nothing to the file manager
  }
  auto* offered = new QMimeData;
  PutPaths(*offered, copyList_);
  settingClipboard_ = true;
  QGuiApplication::clipboard()->setMimeData(offered);
  settingClipboard_ = false;
  clipboardNewer_ = false;
}

bool CZQ61View::TakeClipboardFiles() {
  if (!copyList_.empty() && !clipboardNewer_) {
    return false;
  }
  std::vector<std::string> files = LocalFilesOf(QGuiApplication::clipboard()->mimeData());
  if (files.empty()) {
    return false;
  }
  copyList_ = std::move(files);
  clipboardNewer_ = false;
  return true;
}

void CZQ61View::CopyDesktopFiles(const std::vector<std::string>& pcPaths,
                                 const std::string& target) {
  if (pcPaths.empty() || target.empty()) {
    return;
  }
  copyList_ = pcPaths;
  clipboardNewer_ = false;
  context_.operations.CopyItems(copyList_, target);
}

}  // namespace zq
