#pragma once

#include <QTreeWidget>
#include <optional>
#include <string>
#include <vector>

#include "views/explorer_context.h"
#include "views/rules/tree_rules.h"

namespace zq {

class CZQ61View;

// The folder tree: the console node "ZQ61" and the computer node with the
// PC's volumes, read one level at a time each time a node is expanded.
// Selecting a node shows its folder in the list.
class CZQTreeView : public QTreeWidget {
  Q_OBJECT

 public:
  // What a node stands for (kept in the node's data).
  enum NodeKind {
    kConsoleNode = 1,
    kConsoleFolder,
    kComputerNode,
    kDriveNode,
    kPcFolder,
    kConsoleFile
  };

  explicit CZQTreeView(ExplorerContext& context, QWidget* parent = nullptr);

  void SetListView(CZQ61View* list) { list_ = list; }
  // The volumes shown below the computer node, fixed (for tests); by default
  // the home folder (standing for the system drive) and the real volumes
  // mounted at the moment, read at each expansion of the computer node.
  void SetDrives(std::vector<DriveNode> drives) { drives_ = std::move(drives); }
  static std::vector<DriveNode> PlatformDrives();

  void FillRoots();
  std::string PathOfNode(const QTreeWidgetItem* node) const;
  int SelectFolder(const std::string& path);
  void AddFolderNode(const std::string& consolePath);
  void RemoveFolderNode(const std::string& consolePath);
  bool HighlightDropTarget(const QPoint& globalPoint);
  std::string TakeDropTargetPath();
  void ExpandNode(QTreeWidgetItem* node);
  // The mode refresh: collapse the console node and forget its children, so
  // that they are read again at the next expansion.
  void CollapseConsoleNode();
  // The console node while no console is connected: collapsed, emptied and
  // grayed (nothing below it can be read); given back when one is.
  void SetConsoleReachable(bool reachable);

  QTreeWidgetItem* ConsoleNode() const { return consoleNode_; }
  QTreeWidgetItem* ComputerNode() const { return computerNode_; }
  // The node of a path if it exists now, without reading anything.
  QTreeWidgetItem* FindNode(const std::string& path) const;
  static QTreeWidgetItem* ChildNamed(QTreeWidgetItem* parent, const std::string& rawName);

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  QTreeWidgetItem* AddChild(QTreeWidgetItem* parent, int kind, const std::string& rawName,
                            const QString& text, const QIcon& icon, bool expandable);
  void ExpandConsoleNode(QTreeWidgetItem* node, const std::string& path);
  void ExpandComputerNode(QTreeWidgetItem* node);
  void ExpandPcFolder(QTreeWidgetItem* node, const std::string& path);
  void OnCurrentChanged(QTreeWidgetItem* node);
  void ShowOpenFolder(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void SetCurrentQuietly(QTreeWidgetItem* node);
  // The part of a node's row that takes a drop: its icon and its label.
  QRect IconAndLabelRect(const QTreeWidgetItem* node) const;
  void ClearDropHighlight();
  void SelectShownFolderQuietly();
  static bool Revealed(const QTreeWidgetItem* node);

  ExplorerContext& context_;
  CZQ61View* list_ = nullptr;
  std::optional<std::vector<DriveNode>> drives_;
  QTreeWidgetItem* consoleNode_ = nullptr;
  QTreeWidgetItem* computerNode_ = nullptr;
  QTreeWidgetItem* dropNode_ = nullptr;
  // Above zero while the program itself changes nodes: no folder is shown then.
  int quietSelection_ = 0;
};

}  // namespace zq
