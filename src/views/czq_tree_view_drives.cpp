// The volumes below the tree's computer node.
#include <QDir>
#include <QStorageInfo>

#include "views/czq_tree_view.h"

namespace zq {

namespace {

// File systems that hold no files of the person's: left out of the computer node.
bool IsPseudoFileSystem(const QByteArray& type) {
  static const char* const kinds[] = {
      "proc",     "sysfs",      "devtmpfs",    "devpts",         "tmpfs",    "cgroup", "cgroup2",
      "pstore",   "bpf",        "securityfs",  "debugfs",        "tracefs",  "mqueue", "hugetlbfs",
      "fusectl",  "configfs",   "autofs",      "binfmt_misc",    "squashfs", "nsfs",   "ramfs",
      "efivarfs", "rpc_pipefs", "fuse.portal", "fuse.gvfsd-fuse"};
  for (const char* kind : kinds) {
    if (type == kind) {
      return true;
    }
  }
  return false;
}

std::string WithSlash(QString path) {
  if (!path.endsWith('/')) {
    path += '/';
  }
  return path.toStdString();
}

}  // namespace

std::vector<DriveNode> CZQTreeView::PlatformDrives() {
  std::vector<DriveNode> drives;
  const QString home = QDir::homePath();
  drives.push_back({DriveNodeText("Home", home.toStdString()), WithSlash(home)});
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady() ||
        (volume.rootPath() != "/" && IsPseudoFileSystem(volume.fileSystemType()))) {
      continue;
    }
    const std::string root = WithSlash(volume.rootPath());
    bool known = false;
    for (const auto& drive : drives) {
      known = known || drive.rootPath == root;
    }
    if (!known) {
      drives.push_back(
          {DriveNodeText(volume.displayName().toStdString(), volume.rootPath().toStdString()),
           root});
    }
  }
  return drives;
}

}  // namespace zq
