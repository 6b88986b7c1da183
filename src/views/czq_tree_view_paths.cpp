// The tree's nodes of a folder path: found among the nodes read so far, or
// revealed by expanding the nodes on the way.
#include "platform/codepage.h"
#include "views/czq61_view.h"
#include "views/czq_tree_view.h"
#include "views/rules/folder_path.h"
#include "views/rules/listing_rules.h"
#include "views/tree_node_data.h"

namespace zq {

QTreeWidgetItem* CZQTreeView::ChildNamed(QTreeWidgetItem* parent, const std::string& rawName) {
  if (parent == nullptr) {
    return nullptr;
  }
  QTreeWidgetItem* sameButCase = nullptr;
  for (int i = 0; i < parent->childCount(); ++i) {
    QTreeWidgetItem* child = parent->child(i);
    const std::string name = RawName(child);
    if (name == rawName) {
      return child;
    }
    if (sameButCase == nullptr && SameNameIgnoringCase(name, rawName)) {
      sameButCase = child;
    }
  }
  return sameButCase;
}

int CZQTreeView::SelectFolder(const std::string& given) {
  std::string path = given.empty() && list_ != nullptr ? list_->CurrentPath() : given;
  if (path.empty() || consoleNode_ == nullptr) {
    return -1;
  }
  QTreeWidgetItem* node = nullptr;
  std::vector<std::string> names;
  if (IsConsolePath(path)) {
    node = consoleNode_;
    names = NamesBelowRoot(path, kConsoleRoot);
  } else {
    // The computer node is on the way: expanded like every other node, so
    // that no later scroll to a node below it expands it, which would read
    // its drives anew and delete the node being scrolled to.
    if (!computerNode_->isExpanded()) {
      computerNode_->setExpanded(true);  // reads the drives (itemExpanded)
    }
    std::vector<DriveNode> drives;
    for (int i = 0; i < computerNode_->childCount(); ++i) {
      const QTreeWidgetItem* child = computerNode_->child(i);
      drives.push_back(
          {child->text(0).toStdString(), child->data(0, kDriveRootRole).toString().toStdString()});
    }
    std::string drivePart;
    const auto found = FindDriveForPath(path, drives, drivePart);
    if (!found) {
      context_.ui.ShowMessage(CouldNotFindDriveMessage(drivePart, given.empty() ? path : given));
      return -1;
    }
    node = computerNode_->child(static_cast<int>(*found));
    names = NamesBelowRoot(path, drives[*found].rootPath);
  }
  for (const auto& name : names) {
    if (!node->isExpanded()) {
      node->setExpanded(true);  // reads the children (itemExpanded)
    }
    QTreeWidgetItem* child = ChildNamed(node, name);
    if (child == nullptr) {
      ExpandNode(node);
      child = ChildNamed(node, name);
      if (child == nullptr) {
        return -1;
      }
    }
    node = child;
  }
  return 0;
}

QTreeWidgetItem* CZQTreeView::FindNode(const std::string& path) const {
  if (path.empty() || consoleNode_ == nullptr) {
    return nullptr;
  }
  QTreeWidgetItem* node = nullptr;
  std::vector<std::string> names;
  if (IsConsolePath(path)) {
    node = consoleNode_;
    names = NamesBelowRoot(path, kConsoleRoot);
  } else {
    std::size_t best = 0;
    for (int i = 0; i < computerNode_->childCount(); ++i) {
      const std::string root =
          computerNode_->child(i)->data(0, kDriveRootRole).toString().toStdString();
      if (!root.empty() && path.compare(0, root.size(), root) == 0 && root.size() > best) {
        node = computerNode_->child(i);
        best = root.size();
      }
    }
    if (node == nullptr) {
      return nullptr;
    }
    names = NamesBelowRoot(path, node->data(0, kDriveRootRole).toString().toStdString());
  }
  for (const auto& name : names) {
    node = ChildNamed(node, name);
    if (node == nullptr) {
      return nullptr;
    }
  }
  return node;
}

}  // namespace zq
