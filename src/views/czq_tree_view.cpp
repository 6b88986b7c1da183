#include "views/czq_tree_view.h"

#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QHeaderView>
#include <algorithm>

#include "platform/codepage.h"
#include "platform/pc_subfolders.h"
#include "views/czq61_view.h"
#include "views/rules/folder_path.h"
#include "views/rules/listing_rules.h"
#include "views/tree_node_data.h"
#include "views/view_icons.h"

namespace zq {

namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

// Nodes that stand for a folder show the open folder while selected.
bool ShowsOpenFolder(int kind) {
  return kind == CZQTreeView::kConsoleNode || kind == CZQTreeView::kConsoleFolder ||
         kind == CZQTreeView::kPcFolder;
}

// Whether a node lies below another (or is it).
bool IsWithin(const QTreeWidgetItem* node, const QTreeWidgetItem* top) {
  for (; node != nullptr; node = node->parent()) {
    if (node == top) {
      return true;
    }
  }
  return false;
}

}  // namespace

CZQTreeView::CZQTreeView(ExplorerContext& context, QWidget* parent)
    : QTreeWidget(parent), context_(context) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(true);
  setItemsExpandable(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(false);
  setDragDropMode(QAbstractItemView::DropOnly);
  connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
    WaitCursor wait(context_.ui);
    ExpandNode(node);
  });
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* node, QTreeWidgetItem* previous) {
            ShowOpenFolder(node, previous);
            OnCurrentChanged(node);
          });
}

QTreeWidgetItem* CZQTreeView::AddChild(QTreeWidgetItem* parent, int kind,
                                       const std::string& rawName, const QString& text,
                                       const QIcon& icon, bool expandable) {
  auto* node = new QTreeWidgetItem(parent, {text});
  node->setData(0, kNodeKindRole, kind);
  node->setData(0, kNodeNameRole, QByteArray::fromStdString(rawName));
  node->setIcon(0, icon);
  node->setData(0, kOwnIconRole, QVariant::fromValue(icon));
  node->setChildIndicatorPolicy(expandable ? QTreeWidgetItem::ShowIndicator
                                           : QTreeWidgetItem::DontShowIndicatorWhenChildless);
  if (parent != nullptr) {
    parent->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  }
  return node;
}

void CZQTreeView::FillRoots() {
  ++quietSelection_;
  dropNode_ = nullptr;
  clear();
  const auto& icons = ViewIcons::Get();
  consoleNode_ = AddChild(nullptr, kConsoleNode, {}, Qs(std::string(kConsoleNodeText)),
                          icons.Program(RowIcon::Folder), true);
  computerNode_ = AddChild(nullptr, kComputerNode, {}, "Computer", icons.Computer(), true);
  addTopLevelItems({consoleNode_, computerNode_});
  --quietSelection_;
}

std::string CZQTreeView::PathOfNode(const QTreeWidgetItem* node) const {
  if (node == nullptr) {
    return {};
  }
  std::vector<std::string> names;
  std::string driveRoot;
  const QTreeWidgetItem* at = node;
  for (; at != nullptr && at->parent() != nullptr; at = at->parent()) {
    if (KindOf(at) == kDriveNode) {
      driveRoot = at->data(0, kDriveRootRole).toString().toStdString();
      break;
    }
    names.insert(names.begin(), RawName(at));
  }
  if (at == nullptr) {
    return {};
  }
  if (KindOf(at) == kDriveNode) {
    return zq::PathOfNode(NodeRoot::Computer, driveRoot, names);
  }
  return KindOf(at) == kConsoleNode ? zq::PathOfNode(NodeRoot::Console, {}, names) : std::string();
}

void CZQTreeView::ExpandNode(QTreeWidgetItem* node) {
  if (node == nullptr || node == dropNode_) {
    ClearDropHighlight();
  }
  if (node == nullptr) {
    return;
  }
  ++quietSelection_;
  const std::string path = PathOfNode(node);
  if (dropNode_ != nullptr) {
    ClearDropHighlight();
  }
  // The selected node may be among those read anew: the selection stays on
  // the folder it stood for. Reading never selects anything else, and
  // nothing is scrolled to (which would expand nodes on its own).
  QTreeWidgetItem* current = currentItem();
  const bool currentGoes = current != nullptr && current != node && IsWithin(current, node);
  const std::string currentPath = currentGoes ? PathOfNode(current) : std::string();
  const int currentKind = currentGoes ? KindOf(current) : 0;
  const bool scroll = hasAutoScroll();
  setAutoScroll(false);
  qDeleteAll(node->takeChildren());
  switch (KindOf(node)) {
    case kConsoleNode:
    case kConsoleFolder:
      ExpandConsoleNode(node, path);
      break;
    case kComputerNode:
      ExpandComputerNode(node);
      break;
    default:
      ExpandPcFolder(node, path);
      break;
  }
  if (currentGoes) {
    QTreeWidgetItem* again = FindNode(currentPath);
    SetCurrentQuietly(again != nullptr && KindOf(again) == currentKind ? again : nullptr);
  }
  setAutoScroll(scroll);
  --quietSelection_;
}

void CZQTreeView::SetCurrentQuietly(QTreeWidgetItem* node) {
  ++quietSelection_;
  setCurrentItem(node);
  if (node == nullptr) {
    clearSelection();
  }
  --quietSelection_;
}

void CZQTreeView::ShowOpenFolder(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (previous != nullptr) {
    previous->setIcon(0, qvariant_cast<QIcon>(previous->data(0, kOwnIconRole)));
  }
  if (current != nullptr && ShowsOpenFolder(KindOf(current))) {
    current->setIcon(0, ViewIcons::Get().Program(RowIcon::FolderOpen));
  }
}

bool CZQTreeView::Revealed(const QTreeWidgetItem* node) {
  for (const QTreeWidgetItem* up = node->parent(); up != nullptr; up = up->parent()) {
    if (!up->isExpanded()) {
      return false;
    }
  }
  return true;
}

void CZQTreeView::SelectShownFolderQuietly() {
  if (list_ == nullptr) {
    return;
  }
  // Only a node already in sight: making a hidden one current would expand
  // its parents, and so read (and replace) them in the middle of this.
  QTreeWidgetItem* shown = FindNode(list_->CurrentPath());
  if (shown != nullptr && Revealed(shown) && currentItem() != shown) {
    SetCurrentQuietly(shown);
  }
}

void CZQTreeView::ExpandConsoleNode(QTreeWidgetItem* node, const std::string& path) {
  if (consoleNode_ != nullptr && consoleNode_->isDisabled()) {
    return;  // no console to read from: the node stays empty
  }
  EntryList entries;
  const Status result = context_.operations.Link().ListFolder(entries, path, ListMode::NamesOnly);
  if (result != status::kOk) {
    context_.ui.ShowMessage(ListingFailureMessage(result));
    return;
  }
  const bool zqMode = context_.isZqMode();
  const auto& icons = ViewIcons::Get();
  for (const auto& entry : entries) {
    if (!IsListableConsoleName(entry.name) || !ShowEntry(zqMode, path, entry.name)) {
      continue;
    }
    // Files listed by the console become nodes too, but lead nowhere.
    AddChild(node, entry.IsFolder() ? kConsoleFolder : kConsoleFile, entry.name,
             Qs(Cp949ToUtf8(entry.name)),
             icons.Program(entry.IsFolder() ? RowIcon::Folder : ConsoleFileIcon(entry.name)),
             entry.IsFolder());
  }
}

void CZQTreeView::ExpandComputerNode(QTreeWidgetItem* node) {
  const auto& icons = ViewIcons::Get();
  for (const auto& drive : drives_ ? *drives_ : PlatformDrives()) {
    QTreeWidgetItem* child =
        AddChild(node, kDriveNode, {}, Qs(drive.text), icons.Drive(), HasSubfolder(drive.rootPath));
    child->setData(0, kDriveRootRole, Qs(drive.rootPath));
  }
}

void CZQTreeView::ExpandPcFolder(QTreeWidgetItem* node, const std::string& path) {
  const auto& icons = ViewIcons::Get();
  const QDir folder(Qs(path));
  const auto entries =
      folder.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Unsorted);
  for (const QFileInfo& info : entries) {
    AddChild(node, kPcFolder, info.fileName().toStdString(), info.fileName(),
             icons.ForPcEntry(info), HasSubfolder(info.filePath().toStdString()));
  }
}

void CZQTreeView::OnCurrentChanged(QTreeWidgetItem* node) {
  if (quietSelection_ > 0 || node == nullptr || list_ == nullptr) {
    return;
  }
  const std::string path = PathOfNode(node);
  if (path == list_->CurrentPath() || KindOf(node) == kComputerNode ||
      KindOf(node) == kConsoleFile) {
    return;
  }
  WaitCursor wait(context_.ui);
  list_->NavigateTo(path);
}

void CZQTreeView::AddFolderNode(const std::string& consolePath) {
  if (!IsConsolePath(consolePath) || consoleNode_ == nullptr) {
    return;
  }
  QTreeWidgetItem* node = consoleNode_;
  for (const auto& name : NamesBelowRoot(consolePath, kConsoleRoot)) {
    QTreeWidgetItem* child = ChildNamed(node, name);
    if (child == nullptr) {
      child = AddChild(node, kConsoleFolder, name, Qs(Cp949ToUtf8(name)),
                       ViewIcons::Get().Program(RowIcon::Folder), true);
    }
    node = child;
  }
}

void CZQTreeView::RemoveFolderNode(const std::string& consolePath) {
  if (!IsConsolePath(consolePath)) {
    return;
  }
  QTreeWidgetItem* node = FindNode(consolePath);
  if (node == nullptr || node == consoleNode_) {
    return;
  }
  if (node == dropNode_) {
    dropNode_ = nullptr;
  }
  ++quietSelection_;
  delete node;
  --quietSelection_;
}

void CZQTreeView::CollapseConsoleNode() {
  if (consoleNode_ == nullptr) {
    return;
  }
  ++quietSelection_;
  ClearDropHighlight();
  consoleNode_->setExpanded(false);
  qDeleteAll(consoleNode_->takeChildren());
  consoleNode_->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
  --quietSelection_;
}

void CZQTreeView::focusInEvent(QFocusEvent* event) {
  // Not the item view's own focus handling: it would make the first node
  // current, and so show a folder nobody chose.
  QAbstractScrollArea::focusInEvent(event);
  viewport()->update();
  // A click brings the focus just before the click itself is handled: the
  // tree must not scroll in between, or the click lands on another node
  // than the one under the pointer.
  const bool scroll = hasAutoScroll();
  if (event->reason() == Qt::MouseFocusReason) {
    setAutoScroll(false);
  }
  SelectShownFolderQuietly();
  setAutoScroll(scroll);
}

}  // namespace zq
